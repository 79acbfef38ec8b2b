#pragma once

#include "data/StorageOutcome.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

// A restore replaces the working files from its checked copies in a staging folder beside them,
// under every file's exclusive lock, after writing the list of the files it replaces. That list
// is the restore's promise: from the moment it lasts until the restore removes it, the restored
// set is the practice's, and a restore cut short (the process killed, the power lost) is
// finished from the copies by the next start of the program, before any window opens a file.
// A staging folder without the list is what a restore left before it replaced anything: it is
// removed, and the working files are the old set.
namespace nidora::data {

class WorkingFilesLock;

// The list of the files a restore replaces, in the working folder.
QString restoreListName();
// The restore's copies, in the working folder.
QString restoreStagingName();

// Called after each file a restore replaced, with the number replaced so far.
using ReplacedHook = std::function<void(int replaced)>;

// Under locks taken on every listed file: writes the list, replaces each file from its copy
// (a copy already gone was put in place before), then removes the list and the copies. Not Ok
// when a replacement failed: the list then stays, for the next start to finish.
Outcome replaceFromCopies(WorkingFilesLock& locks, const QString& workingFolder, const QStringList& fileNames,
    const ReplacedHook& replaced = {});

// At start-up: finishes a restore cut short after its list, or removes what one cut short before
// it left. Leaves alone the staging folder of a restore another process is running.
Outcome settleInterruptedRestore(const QString& workingFolder, std::chrono::milliseconds wait);

} // namespace nidora::data
