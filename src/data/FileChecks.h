#pragma once

#include "data/Catalogue.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// The full check of the data files, once per run, off the GUI thread: the quick checks an
// operation makes when it meets damage cannot see a key entry that no longer matches its
// record, and such an entry hides the record from the key's order without a word. Each file is
// checked on a connection of its own, on a worker thread, reading only; what it finds is taken
// by the program's checking thread, which tells it and mends the keys (FileChecks in views).
namespace nidora::data {

// What the full check finds in the disk file at the path (of the working directory), one
// problem a line; empty when it is sound or missing. Any thread; waits for other connections'
// locks by sleeping, never through the program's lock pause.
QStringList checkDiskFile(const QString& path);

class BackgroundFileChecks {
public:
    struct Finding {
        FileId file;
        QStringList problems; // empty: the file is sound
    };

    // The files to check, in this order; files left out are never checked. Every file of the
    // process that a thread opens from then on is checked before the others (noteFileInUse).
    explicit BackgroundFileChecks(std::vector<FileId> files);
    // Starts the worker.
    void start();
    // Stops a check under way and waits for the worker.
    ~BackgroundFileChecks();
    BackgroundFileChecks(const BackgroundFileChecks&) = delete;
    BackgroundFileChecks& operator=(const BackgroundFileChecks&) = delete;

    // The files checked since the last call.
    std::vector<Finding> takeFindings();
    // Every file has been checked and its finding taken.
    bool done();

    // A window opened the file: it is checked next, unless it already was.
    void prefer(FileId file);
    // For AccessObject: tells the running checks, if any, that a file is in use.
    static void noteFileInUse(FileId file);

private:
    void run();

    const QString folder_; // the working directory when the checks began
    std::mutex mutex_;
    std::deque<FileId> waiting_;
    std::vector<Finding> findings_;
    bool checking_ = false;
    bool stop_ = false;
    void* current_ = nullptr; // the connection of the check under way, to interrupt it
    std::thread worker_;
};

} // namespace nidora::data
