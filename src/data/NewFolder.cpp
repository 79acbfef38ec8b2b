#include "data/NewFolder.h"

#include "data/Catalogue.h"

#include <QDir>
#include <QFileInfo>

namespace nidora::data {

bool folderHoldsNoPatient()
{
    const DataFile::Opened patients = DataFile::open(fileDesc(FileId::PACIENTES), OpenMode::ReadOnly);
    if (patients.outcome.status == Status::NotFound)
        return true;
    std::int64_t records = 0;
    return patients.outcome.ok() && patients.file->count(records).ok() && records == 0;
}

Outcome createMissingInNewFolder(const FileDesc& file, const OpenOptions& options)
{
    if (file.createdWhenMissing)
        return {};
    const QString name = options.fileName.isEmpty() ? file.fileName() : options.fileName;
    if (QFileInfo::exists(QDir::current().filePath(name)) || !folderHoldsNoPatient())
        return {};
    return DataFile::createEmpty(file, options);
}

} // namespace nidora::data
