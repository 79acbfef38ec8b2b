#pragma once

#include "data/Catalogue.h"
#include "data/StorageOutcome.h"

#include <QString>

#include <cstdint>
#include <memory>

struct sqlite3_backup;

// One data file copied into a new file through SQLite's online backup, then checked.
namespace nidora::data {

namespace sql {
class Connection;
}

class FileCopy {
public:
    // target must not be in use; whatever is there is replaced by the copy.
    FileCopy(const FileDesc& file, const QString& source, const QString& target);
    ~FileCopy();
    FileCopy(const FileCopy&) = delete;
    FileCopy& operator=(const FileCopy&) = delete;

    // Copies up to `pages` more pages; once they are all copied, checks the copy. True while
    // there is more to do; then outcome() says how it went: Ok, or Locked, Damaged or Error
    // with the target removed.
    bool step(int pages);
    const Outcome& outcome() const { return outcome_; }
    // The part of the source copied so far, 0 to 1.
    double fraction() const;

    // A lock held elsewhere is waited for this many steps in a row before the copy fails.
    static constexpr int kBusySteps = 3000;

private:
    bool start();
    void check();
    void fail(Outcome outcome);

    const FileDesc& file_;
    QString source_;
    QString target_;
    std::unique_ptr<sql::Connection> from_;
    std::unique_ptr<sql::Connection> to_;
    sqlite3_backup* backup_ = nullptr;
    int busySteps_ = 0;
    int total_ = 0;
    int remaining_ = 0;
    bool finished_ = false;
    Outcome outcome_;
};

} // namespace nidora::data
