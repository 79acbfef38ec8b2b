#pragma once

#include <QString>
#include <QStringList>

// Making what a backup or restore wrote outlast a power cut before the next step relies on it:
// a file's bytes, and a folder's entries (a file made, renamed or removed in it).
namespace nidora::data {

bool syncFile(const QString& path);
bool syncFolder(const QString& path);

// Writes a short text file in one step: into the name with ".new" after it, synced, renamed
// over the name, and the folder synced, so the name holds the whole old text or the whole new
// one.
bool writeWholeFile(const QString& path, const QByteArray& bytes);
// Removes a file and makes its removal last.
bool removeLasting(const QString& path);

// The lines of a short text file; nothing when it cannot be read.
QStringList readLines(const QString& path);

} // namespace nidora::data
