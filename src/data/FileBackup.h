#pragma once

#include "data/Catalogue.h"
#include "data/RestoreRecord.h"
#include "data/SleepingWait.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// Backup and restore of the practice's data files, on a thread of their own, so that a window
// shows how far they have come and the other windows stay usable.
//
// A backup is one moment of the practice: every file's read is begun before any copy starts and
// held until the last page is copied, so no change of this or another station falls half into
// it. The copies go into a staging folder inside the backup folder, each checked (its schema and
// every page and key) on a thread of its own while the next one is copied, and become the
// folder's backup in one last step (see BackupFolder.h): the folder holds its earlier backup or
// the whole new one, never a mix.
//
// A restore takes a whole backup only. It copies and checks every file into a staging folder
// beside the working files; then it takes each working file's exclusive lock, waiting as other
// writes do (another station holding one past the wait: that file is named and nothing is
// replaced), and replaces them all under those locks (see RestoreRecord.h): every station sees
// the old set or the restored one, and a restore cut short is finished by the next start.
//
//   FileBackup run(FileBackup::Kind::Restore, QDir::currentPath(), folder);
//   while (!run.wait(std::chrono::milliseconds(10))) bar.setValue(run.percent());
//   if (!run.result().complete()) ...        // what was missing, failed or busy, by name
namespace nidora::data {

// The files a backup holds, in the order they are copied: every data file of the practice but
// the users file and the scratch files.
const std::vector<FileId>& backedUpFiles();

class FileBackup {
public:
    enum class Kind { Backup, Restore };

    struct Result {
        QStringList missing; // disk file names the source folder lacks
        QStringList failed; // files that could not be copied or whose copy is not sound
        QString busy; // restore: the working file another station held past the wait
        bool wholeSet = true; // restore: the folder held a whole backup
        bool replaced = false; // restore: the working files are the restored ones
        bool finishedAtStart = false; // restore: cut short while replacing, the next start ends it
        bool cancelled = false;
        bool complete() const
        {
            return missing.isEmpty() && failed.isEmpty() && busy.isEmpty() && wholeSet && !cancelled
                && !finishedAtStart;
        }
    };

    struct Options {
        // Pages copied between two looks at a cancel: 4 MB of the usual 4 KB pages.
        int pagesPerStep = 1024;
        // How long each file's lock is waited for, as every other write of the program waits.
        std::chrono::milliseconds lockWait { 2000 };
        // Checks of copies run at once, beside the copying.
        int checkThreads = 3;
        // Called on the copy's thread after each replacement of a restore.
        ReplacedHook replaced;
    };

    // Backup: from the working folder into the other folder; restore: the other way. Starts at
    // once.
    FileBackup(Kind kind, const QString& workingFolder, const QString& otherFolder);
    FileBackup(Kind kind, const QString& workingFolder, const QString& otherFolder, Options options);
    // Cancels what has not begun replacing anything, waits for the thread, leaves no copy behind.
    ~FileBackup();
    FileBackup(const FileBackup&) = delete;
    FileBackup& operator=(const FileBackup&) = delete;

    // True once everything is done (see result()); waits up to `wait` for it.
    bool wait(std::chrono::milliseconds wait);
    bool finished() const { return finished_; }
    // Stops at the next page: a backup then leaves the folder's earlier backup as it was, a
    // restore replaces nothing. A restore that has begun replacing goes on to its end.
    void cancel() { cancelled_ = true; }
    // How far it has come, copies and checks counted by their bytes (0 to 100).
    int percent() const;
    // Once finished.
    const Result& result() const { return result_; }

private:
    class Checks;

    void run();
    void backUp();
    void restore();
    bool copyAll(const QString& from, const QString& into, const QStringList& fileNames, bool oneMoment);
    void makeUnusedFiles();

    Kind kind_;
    QString working_;
    QString other_;
    Options options_;
    std::int64_t totalBytes_ = 0;
    int phases_ = 2;
    std::atomic<std::int64_t> doneBytes_ { 0 };
    std::atomic<bool> cancelled_ { false };
    std::atomic<bool> finished_ { false };
    SleepingWait sleeping_;
    std::mutex mutex_;
    std::condition_variable ended_;
    Result result_;
    std::thread thread_;
};

} // namespace nidora::data
