#include "data/BackupFolder.h"

#include "data/FileSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace nidora::data {
namespace {

struct ListedFile {
    QString name;
    qint64 size = -1;
};

std::optional<std::vector<ListedFile>> readList(const QString& folder)
{
    const QString path = QDir(folder).filePath(backupListName());
    if (!QFileInfo::exists(path))
        return std::nullopt;
    std::vector<ListedFile> files;
    for (const QString& line : readLines(path)) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool number = false;
        const qint64 size = parts.value(1).toLongLong(&number);
        if (parts.size() != 2 || !number || parts[0].contains(QLatin1Char('/')))
            return std::nullopt;
        files.push_back({ parts[0], size });
    }
    if (files.empty())
        return std::nullopt;
    return files;
}

bool moveInto(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

QString backupListName()
{
    return QStringLiteral("COPIA.LST");
}

QString backupStagingName()
{
    return QStringLiteral("COPIA.TMP");
}

std::optional<QStringList> wholeBackup(const QString& folder)
{
    const std::optional<std::vector<ListedFile>> listed = readList(folder);
    if (!listed)
        return std::nullopt;
    QStringList names;
    for (const ListedFile& file : *listed) {
        const QFileInfo info(QDir(folder).filePath(file.name));
        if (!info.isFile() || info.size() != file.size)
            return std::nullopt;
        names << file.name;
    }
    return names;
}

bool listStagedSet(const QString& staging, const QStringList& fileNames)
{
    QByteArray text;
    for (const QString& name : fileNames) {
        const QString path = QDir(staging).filePath(name);
        if (!syncFile(path))
            return false;
        text += name.toUtf8() + ' ' + QByteArray::number(QFileInfo(path).size()) + '\n';
    }
    return syncFolder(staging) && writeWholeFile(QDir(staging).filePath(backupListName()), text);
}

bool settleBackupFolder(const QString& folder)
{
    const QDir dir(folder);
    const QString staging = dir.filePath(backupStagingName());
    if (!QFileInfo(staging).isDir())
        return true;
    const std::optional<std::vector<ListedFile>> staged = readList(staging);
    if (!staged)
        return QDir(staging).removeRecursively() && syncFolder(folder);
    // From here on the staged set is the folder's backup: the old list goes before any file of
    // it is replaced, so the folder never lists a mix.
    if (!removeLasting(dir.filePath(backupListName())))
        return false;
    QStringList kept;
    for (const ListedFile& file : *staged) {
        kept << file.name;
        const QString from = QDir(staging).filePath(file.name);
        const QString to = dir.filePath(file.name);
        // A journal beside an older copy would be taken for the new copy's own.
        QFile::remove(to + QStringLiteral("-journal"));
        if (QFileInfo::exists(from) && !moveInto(from, to))
            return false;
    }
    if (!syncFolder(folder))
        return false;
    if (!moveInto(QDir(staging).filePath(backupListName()), dir.filePath(backupListName())))
        return false;
    QDir(staging).removeRecursively();
    return syncFolder(folder);
}

} // namespace nidora::data
