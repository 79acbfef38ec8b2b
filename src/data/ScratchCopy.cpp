#include "data/ScratchCopy.h"

#include "data/DataFile.h"

#include <QDir>
#include <QLockFile>

namespace nidora::data {

namespace {

// Copy names have three digits.
constexpr int kCopies = 999;

QString lockPath(const QString& copyName)
{
    return QDir::current().absoluteFilePath(copyName + QStringLiteral(".lck"));
}

} // namespace

std::unique_ptr<ScratchCopy> ScratchCopy::claim(const FileDesc& file)
{
    for (int number = 1; number <= kCopies; ++number) {
        auto lock = std::make_unique<QLockFile>(lockPath(DataFile::copyFileName(file, number)));
        // A hold is never given up for its age: a chart may stay open for hours. One left by a
        // process that has ended on this machine is taken over all the same.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            // Rows a window that ended without letting go left behind are nobody's.
            if (!DataFile::removeFile(DataFile::copyFileName(file, number)))
                continue;
            return std::unique_ptr<ScratchCopy>(new ScratchCopy(file, number, std::move(lock)));
        }
        if (lock->error() != QLockFile::LockFailedError)
            return nullptr; // the folder takes no lock file: no number would do better
    }
    return nullptr;
}

ScratchCopy::ScratchCopy(const FileDesc& file, int number, std::unique_ptr<QLockFile> lock)
    : file_(file)
    , number_(number)
    , lock_(std::move(lock))
{
}

ScratchCopy::~ScratchCopy()
{
    DataFile::removeFile(fileName());
    lock_->unlock();
}

QString ScratchCopy::fileName() const
{
    return DataFile::copyFileName(file_, number_);
}

} // namespace nidora::data
