#include "data/FileSync.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace nidora::data {
namespace {

bool syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

bool syncFile(const QString& path)
{
    return syncPath(path, O_RDONLY);
}

bool syncFolder(const QString& path)
{
    return syncPath(path, O_RDONLY | O_DIRECTORY);
}

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    const QString partial = path + QStringLiteral(".new");
    {
        QFile file(partial);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
            || !file.flush() || ::fsync(file.handle()) != 0) {
            file.close();
            QFile::remove(partial);
            return false;
        }
    }
    if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(partial);
        return false;
    }
    return syncFolder(QFileInfo(path).absolutePath());
}

bool removeLasting(const QString& path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return false;
    return syncFolder(QFileInfo(path).absolutePath());
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            lines << QString::fromUtf8(line.trimmed());
    }
    return lines;
}

} // namespace nidora::data
