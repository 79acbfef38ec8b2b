#include "data/FolderClaim.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace nidora::data {

FolderClaim::FolderClaim(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FolderClaim::~FolderClaim()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace nidora::data
