#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// How a folder holds a backup of the practice: its data files beside a list of them written
// last, which makes them a whole backup. A backup is made in a staging folder inside it, with a
// list of its own once every copy there is sound, and then moved in: the folder's old list
// goes first, the files follow, the new list last. Cut short while moving, the staged set is
// whole, so whoever looks at the folder next (a backup or a restore) finishes the move; cut
// short before its list, the staging folder is dropped and the folder keeps its earlier backup.
namespace nidora::data {

// The list of a whole backup, in the backup folder and in its staging folder.
QString backupListName();
// The staging folder inside the backup folder.
QString backupStagingName();

// The files of the whole backup the folder holds, in the order listed; none when the folder
// holds no whole backup (no list, or a listed file missing or not of its listed size).
std::optional<QStringList> wholeBackup(const QString& folder);

// Writes the list of the staged set, each file with its size: the staged set is whole from
// then on.
bool listStagedSet(const QString& staging, const QStringList& fileNames);

// Moves a whole staged set into the folder, or drops a staging folder without its list. False
// when a move was due and could not be done.
bool settleBackupFolder(const QString& folder);

} // namespace nidora::data
