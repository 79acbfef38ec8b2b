#pragma once

#include "data/FileChecks.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

// The full check of the practice's data files once per run, while the program works: the
// files are read on a worker thread (data::BackgroundFileChecks), so no window waits; a file
// found damaged is told and mended on a logical thread of its own, with a connection of its
// own: message 30 and its keys rebuilt under the write lock when only they are damaged,
// message 26 when its records are.
//
//   views::DataFileChecks checks;     // the frame holds it from the login to its end
namespace nidora::views {

class DataFileChecks : public QObject {
public:
    // Every data file but the users file, which the login checks before it looks a user up.
    explicit DataFileChecks(std::vector<data::FileId> files = checkedInTheBackground());
    ~DataFileChecks() override;

    static std::vector<data::FileId> checkedInTheBackground();

    // Every file has been checked and what was found in it told.
    bool done() const { return done_; }

private:
    void look();

    data::BackgroundFileChecks checks_;
    QTimer timer_;
    bool done_ = false;
};

// On the calling logical thread: the full check of one file through the thread's own access
// object, telling and mending what it finds.
void checkAndMendDataFile(data::FileId file);

} // namespace nidora::views
