#include "data/RestoreRecord.h"

#include "data/FileSync.h"
#include "data/FolderClaim.h"
#include "data/RecordStore.h"
#include "data/WorkingFilesLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace nidora::data {

QString restoreListName()
{
    return QStringLiteral("RESTAURA.LST");
}

QString restoreStagingName()
{
    return QStringLiteral("RESTAURA.TMP");
}

Outcome replaceFromCopies(WorkingFilesLock& locks, const QString& workingFolder, const QStringList& fileNames,
    const ReplacedHook& replaced)
{
    const QDir working(workingFolder);
    const QString list = working.filePath(restoreListName());
    const QDir staging(working.filePath(restoreStagingName()));
    if (!QFileInfo::exists(list) && !writeWholeFile(list, fileNames.join(QLatin1Char('\n')).toUtf8() + '\n'))
        return failure(Status::Error, QStringLiteral("%1 could not be written").arg(list));
    int done = 0;
    for (const QString& name : fileNames) {
        const QString copy = staging.filePath(name);
        if (QFileInfo::exists(copy)) {
            if (Outcome outcome = locks.replace(name, copy); !outcome.ok())
                return outcome;
        }
        if (replaced)
            replaced(++done);
    }
    if (!removeLasting(list))
        return failure(Status::Error, QStringLiteral("%1 could not be removed").arg(list));
    QDir(staging).removeRecursively();
    return {};
}

Outcome settleInterruptedRestore(const QString& workingFolder, std::chrono::milliseconds wait)
{
    const QDir working(workingFolder);
    const QString stagingPath = working.filePath(restoreStagingName());
    const QString list = working.filePath(restoreListName());
    // A list cut short while it was written was never the restore's promise.
    QFile::remove(list + QStringLiteral(".new"));
    if (!QFileInfo::exists(stagingPath) && !QFileInfo::exists(list))
        return {};
    const FolderClaim claim(stagingPath);
    if (!claim.held())
        return {};
    if (!QFileInfo::exists(list)) {
        QDir(stagingPath).removeRecursively();
        return {};
    }
    const QStringList fileNames = readLines(list);
    const SleepingWait sleeping { wait };
    WorkingFilesLock locks(workingFolder, sleeping);
    if (Outcome outcome = locks.lock(fileNames); !outcome.ok())
        return outcome;
    return replaceFromCopies(locks, workingFolder, fileNames);
}

} // namespace nidora::data
