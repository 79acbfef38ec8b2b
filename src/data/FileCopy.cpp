#include "data/FileCopy.h"

#include "data/DataFile.h"
#include "data/RecordStore.h"
#include "data/SqliteConnection.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace nidora::data {

FileCopy::FileCopy(const FileDesc& file, const QString& source, const QString& target)
    : file_(file)
    , source_(source)
    , target_(target)
{
}

FileCopy::~FileCopy()
{
    if (backup_)
        sqlite3_backup_finish(backup_);
}

double FileCopy::fraction() const
{
    if (finished_)
        return 1.0;
    return total_ > 0 ? double(total_ - remaining_) / total_ : 0.0;
}

bool FileCopy::start()
{
    if (!QFileInfo::exists(source_)) {
        fail(failure(Status::NotFound, QStringLiteral("%1 does not exist").arg(source_)));
        return false;
    }
    // Whatever an earlier, interrupted copy left under the target's name goes first, its
    // journal included, or SQLite would take the journal for the new file's own.
    DataFile::removeFile(target_);
    from_ = std::make_unique<sql::Connection>(source_, true, false);
    if (!from_->isOpen()) {
        fail(failure(from_->error()));
        return false;
    }
    to_ = std::make_unique<sql::Connection>(target_, false, true);
    if (!to_->isOpen()) {
        fail(failure(to_->error()));
        return false;
    }
    backup_ = sqlite3_backup_init(to_->handle(), "main", from_->handle(), "main");
    if (!backup_) {
        to_->takeError();
        fail(failure(to_->error()));
        return false;
    }
    return true;
}

bool FileCopy::step(int pages)
{
    if (finished_)
        return false;
    if (!backup_ && !start())
        return false;
    const int stepped = sqlite3_backup_step(backup_, pages);
    total_ = sqlite3_backup_pagecount(backup_);
    remaining_ = sqlite3_backup_remaining(backup_);
    if (stepped == SQLITE_OK)
        return true;
    if (stepped == SQLITE_BUSY || stepped == SQLITE_LOCKED) {
        // Another connection is writing the file: look again at the next step, so that
        // whoever holds the lock gets to finish.
        if (++busySteps_ < kBusySteps)
            return true;
        fail(failure(Status::Locked, QStringLiteral("%1 stayed locked").arg(source_)));
        return false;
    }
    busySteps_ = 0;
    const int finished = sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
        const int code = stepped != SQLITE_DONE ? stepped : finished;
        fail(failure(sql::Error { code, QString::fromUtf8(sqlite3_errstr(code)) }));
        return false;
    }
    check();
    return false;
}

// The copy is used only when it opens as the data file it should be and the quick check finds
// its pages, records and keys sound: a damaged source gives a damaged copy, and that must not
// replace a sound one. The full check would also compare every key entry with its record, ten
// times slower on a large file (20 s against 2 s on a practice of a million consultations); a
// key that does not match its record is found and rebuilt from the records when the program
// meets it, records lost to damage never are.
void FileCopy::check()
{
    from_.reset();
    to_.reset();
    OpenOptions options;
    options.fileName = target_;
    Outcome checked;
    {
        DataFile::Opened opened = DataFile::open(file_, OpenMode::ReadOnly, options);
        checked = opened.outcome.ok() ? opened.file->checkPages() : opened.outcome;
    }
    if (!checked.ok()) {
        fail(checked.status == Status::KeysDamaged
                ? Outcome { Status::Damaged, nullptr, checked.code, checked.text }
                : checked);
        return;
    }
    finished_ = true;
}

void FileCopy::fail(Outcome outcome)
{
    if (backup_)
        sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    from_.reset();
    to_.reset();
    if (outcome.status != Status::NotFound)
        DataFile::removeFile(target_);
    outcome_ = std::move(outcome);
    finished_ = true;
}

} // namespace nidora::data
