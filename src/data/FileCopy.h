#pragma once

#include "data/Catalogue.h"
#include "data/StorageOutcome.h"

#include <QString>

#include <cstdint>
#include <memory>

struct sqlite3_backup;

// One data file copied page by page through SQLite's online backup, from one connection into
// another: into a new file (a backup's or a restore's copy) or over a working file whose
// exclusive lock the target connection holds (a restore's replacement). The target's own
// journal keeps each copy whole: one cut short leaves the target as it was.
namespace nidora::data {

namespace sql {
class Connection;
}

class FileCopy {
public:
    // Both connections must outlive the copy. A source inside a read transaction is copied as
    // that transaction sees it.
    FileCopy(sql::Connection& source, sql::Connection& target);
    ~FileCopy();
    FileCopy(const FileCopy&) = delete;
    FileCopy& operator=(const FileCopy&) = delete;

    // Copies up to `pages` more pages (-1: all). True while there is more to copy; then
    // outcome() says how it went.
    bool step(int pages);
    const Outcome& outcome() const { return outcome_; }
    // The bytes of the source copied so far.
    std::int64_t copiedBytes() const { return copiedBytes_; }

private:
    void fail(Outcome outcome);

    sql::Connection& source_;
    sql::Connection& target_;
    sqlite3_backup* backup_ = nullptr;
    std::int64_t pageSize_ = 0;
    std::int64_t copiedBytes_ = 0;
    bool finished_ = false;
    Outcome outcome_;
};

// A connection to a new file at path, whatever was there before (an older copy, or what an
// interrupted one left, its journal included) removed first.
std::unique_ptr<sql::Connection> newCopyFile(const QString& path);

// Whether a copy may be used: it opens as the data file it should be and the quick check finds
// its pages, records and keys sound. Ok, or Damaged with what is wrong. Safe on any thread.
Outcome checkCopy(const FileDesc& file, const QString& path);

} // namespace nidora::data
