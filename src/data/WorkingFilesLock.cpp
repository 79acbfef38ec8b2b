#include "data/WorkingFilesLock.h"

#include "data/FileCopy.h"
#include "data/FileSync.h"
#include "data/RecordStore.h"
#include "data/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

namespace nidora::data {

WorkingFilesLock::WorkingFilesLock(QString folder, const SleepingWait& wait)
    : folder_(std::move(folder))
    , wait_(wait)
{
}

WorkingFilesLock::~WorkingFilesLock()
{
    release();
}

// The lock is SQLite's own, the one every station's writes take, kept after the (empty)
// transaction that takes it by the connection's exclusive locking mode. A hot journal a
// station left beside the file is rolled back on the way, as any connection would.
Outcome WorkingFilesLock::lock(const QStringList& fileNames)
{
    release();
    for (const QString& name : fileNames) {
        if (!QFileInfo::exists(QDir(folder_).filePath(name)))
            continue;
        if (Outcome taken = lockOne(name); !taken.ok()) {
            release();
            busyFile_ = name;
            return taken;
        }
    }
    return {};
}

Outcome WorkingFilesLock::lockOne(const QString& fileName)
{
    auto connection = std::make_unique<sql::Connection>(QDir(folder_).filePath(fileName), false, false);
    if (connection->isOpen())
        installSleepingWait(connection->handle(), wait_);
    if (!connection->isOpen() || !connection->exec("PRAGMA locking_mode=EXCLUSIVE")
        || !connection->exec("BEGIN EXCLUSIVE")) {
        const sql::Error error = connection->error();
        return error.busy() ? failure(Status::Locked, QStringLiteral("%1 is in use").arg(fileName))
                            : failure(error);
    }
    connection->exec("COMMIT");
    held_.push_back({ fileName, std::move(connection) });
    return {};
}

Outcome WorkingFilesLock::replace(const QString& fileName, const QString& copyPath)
{
    copiedBytes_ = 0;
    const QString path = QDir(folder_).filePath(fileName);
    auto held
        = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.fileName == fileName; });
    if (held == held_.end() && !QFileInfo::exists(path)) {
        if (std::rename(QFile::encodeName(copyPath).constData(), QFile::encodeName(path).constData()) != 0
            || !syncFolder(folder_))
            return failure(Status::Error, QStringLiteral("%1 could not be put in place").arg(fileName));
        copiedBytes_ = QFileInfo(path).size();
        return {};
    }
    if (held == held_.end()) {
        // Another station made the file since the locks were taken.
        if (Outcome taken = lockOne(fileName); !taken.ok())
            return taken;
        held = held_.end() - 1;
    }
    sql::Connection copy(copyPath, true, false);
    if (!copy.isOpen())
        return failure(copy.error());
    FileCopy pages(copy, *held->connection);
    while (pages.step(1024))
        copiedBytes_ = pages.copiedBytes();
    copiedBytes_ = pages.copiedBytes();
    return pages.outcome();
}

// Back to normal locking; the next read then lets the lock go, and the journal the exclusive
// mode kept beside the file (its header cleared: nothing to roll back) goes with the connection.
void WorkingFilesLock::release()
{
    for (Held& held : held_) {
        held.connection->exec("PRAGMA locking_mode=NORMAL");
        held.connection->exec("SELECT count(*) FROM sqlite_master");
    }
    held_.clear();
    busyFile_.clear();
}

} // namespace nidora::data
