#include "data/FileCopy.h"

#include "data/DataFile.h"
#include "data/RecordStore.h"
#include "data/SqliteConnection.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace nidora::data {

FileCopy::FileCopy(sql::Connection& source, sql::Connection& target)
    : source_(source)
    , target_(target)
{
    backup_ = sqlite3_backup_init(target_.handle(), "main", source_.handle(), "main");
    if (!backup_) {
        target_.takeError();
        fail(failure(target_.error()));
        return;
    }
    sqlite3_stmt* pageSize = nullptr;
    if (sqlite3_prepare_v2(source_.handle(), "PRAGMA page_size", -1, &pageSize, nullptr) == SQLITE_OK
        && sqlite3_step(pageSize) == SQLITE_ROW)
        pageSize_ = sqlite3_column_int64(pageSize, 0);
    sqlite3_finalize(pageSize);
}

FileCopy::~FileCopy()
{
    if (backup_)
        sqlite3_backup_finish(backup_);
}

bool FileCopy::step(int pages)
{
    if (finished_)
        return false;
    const int stepped = sqlite3_backup_step(backup_, pages);
    copiedBytes_
        = std::int64_t(sqlite3_backup_pagecount(backup_) - sqlite3_backup_remaining(backup_)) * pageSize_;
    if (stepped == SQLITE_OK)
        return true;
    const int finished = sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    if (stepped == SQLITE_BUSY || stepped == SQLITE_LOCKED) {
        fail(failure(Status::Locked, QString::fromUtf8(sqlite3_errstr(stepped))));
        return false;
    }
    if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
        const int code = stepped != SQLITE_DONE ? stepped : finished;
        fail(failure(sql::Error { code, QString::fromUtf8(sqlite3_errstr(code)) }));
        return false;
    }
    finished_ = true;
    return false;
}

void FileCopy::fail(Outcome outcome)
{
    if (backup_)
        sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    outcome_ = std::move(outcome);
    finished_ = true;
}

std::unique_ptr<sql::Connection> newCopyFile(const QString& path)
{
    QFile::remove(path + QStringLiteral("-journal"));
    QFile::remove(path);
    return std::make_unique<sql::Connection>(path, false, true);
}

// A damaged source gives a damaged copy, and that must not replace a sound one. The full check
// would also compare every key entry with its record, ten times slower on a large file; a key
// that does not match its record is found and rebuilt from the records when the program meets
// it, records lost to damage never are.
Outcome checkCopy(const FileDesc& file, const QString& path)
{
    OpenOptions options;
    options.fileName = path;
    // Nobody else uses a copy, so nothing is waited for (a wait would pause the GUI's threads).
    options.lockWait = std::chrono::milliseconds(0);
    DataFile::Opened opened = DataFile::open(file, OpenMode::ReadOnly, options);
    const Outcome checked = opened.outcome.ok() ? opened.file->checkPages() : opened.outcome;
    if (checked.status == Status::KeysDamaged)
        return Outcome { Status::Damaged, nullptr, checked.code, checked.text };
    return checked;
}

} // namespace nidora::data
