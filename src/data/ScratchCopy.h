#pragma once

#include "data/Catalogue.h"

#include <QString>

#include <memory>

class QLockFile;

// The hold a window has on a copy of a scratch file of its own (DataFile::copyFileName): the
// lowest copy number that no window of this process or of another station working on the same
// folder holds. The hold is a lock file beside the copy ("GRAFI001.QVM.lck"); a process that
// ends without letting go leaves one that the next claim of that number on the same machine
// recognises and takes over, whatever copy it left behind being removed first.
namespace nidora::data {

class ScratchCopy {
public:
    // Null when every number is held, or the folder does not let a lock file be made.
    static std::unique_ptr<ScratchCopy> claim(const FileDesc& file);
    // Removes the copy from the disk and lets the number go. The copy must be closed by then.
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    int number() const { return number_; }
    // The copy's disk name in the working directory.
    QString fileName() const;

private:
    ScratchCopy(const FileDesc& file, int number, std::unique_ptr<QLockFile> lock);

    const FileDesc& file_;
    int number_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace nidora::data
