#pragma once

#include "data/SleepingWait.h"
#include "data/StorageOutcome.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <vector>

// Every working data file a restore replaces, held under its exclusive lock from before the
// first replacement until after the last, so that no station reads or writes any of them in
// between: each replacement goes through the lock's own connection (the file keeps its place
// on disk, so the other stations' connections stay sound and read the restored records), and a
// file missing from the working folder is put in place whole.
namespace nidora::data {

namespace sql {
class Connection;
}

class WorkingFilesLock {
public:
    // The locks are waited for as `wait` says; it must outlive the object.
    WorkingFilesLock(QString folder, const SleepingWait& wait);
    // Lets the locks go.
    ~WorkingFilesLock();
    WorkingFilesLock(const WorkingFilesLock&) = delete;
    WorkingFilesLock& operator=(const WorkingFilesLock&) = delete;

    // Takes the exclusive lock of each of these files of the folder that exists, waiting for
    // each as other writes do. Locked (busyFile() names the file) when another station held one
    // past the wait; nothing is held then.
    Outcome lock(const QStringList& fileNames);
    const QString& busyFile() const { return busyFile_; }

    // Replaces a file's records with those of a sound copy, under its lock. A file missing from
    // the folder is made by moving the copy into its place; one made by another station since
    // the locks were taken is locked then.
    Outcome replace(const QString& fileName, const QString& copyPath);
    // The bytes replace() copies of a copy so far, for a progress bar.
    std::int64_t copiedBytes() const { return copiedBytes_; }

    void release();

private:
    struct Held {
        QString fileName;
        std::unique_ptr<sql::Connection> connection;
    };

    Outcome lockOne(const QString& fileName);

    QString folder_;
    const SleepingWait& wait_;
    std::vector<Held> held_;
    QString busyFile_;
    std::int64_t copiedBytes_ = 0;
};

} // namespace nidora::data
