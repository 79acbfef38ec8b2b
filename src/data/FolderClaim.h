#pragma once

#include <QString>

// A claim on a folder of temporary files (a restore's copies, a backup's staging folder) that
// other processes see: whoever clears what an interrupted run left first makes sure no running
// one holds it. The folder is made when missing; the claim ends with the object or the process.
namespace nidora::data {

class FolderClaim {
public:
    explicit FolderClaim(const QString& folder);
    ~FolderClaim();
    FolderClaim(const FolderClaim&) = delete;
    FolderClaim& operator=(const FolderClaim&) = delete;

    // False when the folder could not be made or another process holds it.
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace nidora::data
