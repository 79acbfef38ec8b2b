#include "data/FileBackup.h"

#include "data/DataFile.h"
#include "data/FileCopy.h"
#include "data/NewFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace nidora::data {
namespace {

QString inFolder(const QString& folder, const QString& fileName)
{
    return QDir(folder).absoluteFilePath(fileName);
}

// Puts the staged copy in the place of its namesake: the namesake's journal goes first, as it
// belongs to the file being replaced, and rename() replaces the file in one step.
bool replaceWithStaged(const QString& folder, const QString& fileName)
{
    const QString path = inFolder(folder, fileName);
    QFile::remove(path + QStringLiteral("-journal"));
    return std::rename(QFile::encodeName(inFolder(folder, stagingName(fileName))).constData(),
               QFile::encodeName(path).constData())
        == 0;
}

} // namespace

const std::vector<FileId>& backedUpFiles()
{
    static const std::vector<FileId> files { FileId::AGENDA, FileId::ARTICULOS, FileId::CONSULTAS,
        FileId::ENFERMEDADES, FileId::ANALISIS, FileId::FOTOS, FileId::MADRES, FileId::MOTIVOS,
        FileId::PACIENTES, FileId::NOTASIMPO, FileId::OBRASSOCIALES, FileId::PADRES, FileId::PLANVACUNACION,
        FileId::TABCRECIMIENTO, FileId::TABENFERMED, FileId::TEMAS, FileId::TITULOS, FileId::VACUNACION,
        FileId::MEDICOS };
    return files;
}

QString stagingName(const QString& fileName)
{
    return fileName + QStringLiteral(".tmp");
}

FileBackup::FileBackup(Kind kind, const QString& workingFolder, const QString& otherFolder, int pagesPerStep)
    : kind_(kind)
    , from_(kind == Kind::Backup ? workingFolder : otherFolder)
    , to_(kind == Kind::Backup ? otherFolder : workingFolder)
    , pagesPerStep_(pagesPerStep)
{
    for (FileId id : backedUpFiles()) {
        const QFileInfo source(inFolder(from_, catalogue()[std::size_t(id)].fileName()));
        if (source.exists())
            totalBytes_ += source.size();
    }
}

FileBackup::~FileBackup()
{
    current_.reset();
    if (!done_)
        discardStaged();
}

int FileBackup::percent() const
{
    if (done_ || totalBytes_ == 0)
        return done_ ? 100 : 0;
    double bytes = double(doneBytes_);
    if (current_)
        bytes += current_->fraction() * double(QFileInfo(inFolder(from_, currentName_)).size());
    return std::min(99, int(100.0 * bytes / double(totalBytes_)));
}

bool FileBackup::step()
{
    if (done_)
        return false;
    if (!current_)
        startNext();
    if (current_ && !current_->step(pagesPerStep_))
        finishCurrent();
    if (current_ || next_ < backedUpFiles().size())
        return true;
    if (kind_ == Kind::Restore) {
        // All or nothing: one unsound copy and the working files stay as they were.
        if (result_.failed.isEmpty())
            replaceStaged();
        else
            discardStaged();
    }
    done_ = true;
    return false;
}

void FileBackup::startNext()
{
    const FileDesc& desc = catalogue()[std::size_t(backedUpFiles()[next_++])];
    currentName_ = desc.fileName();
    if (kind_ == Kind::Backup)
        makeUnusedFile(desc);
    current_ = std::make_unique<FileCopy>(
        desc, inFolder(from_, currentName_), inFolder(to_, stagingName(currentName_)));
}

// A file the practice has not used yet is made empty first, as the first window to open it
// would make it, so that the backup holds every file and restores as a whole. A file that is
// never made when missing (the pathology table of a practice with patients) is missing indeed.
void FileBackup::makeUnusedFile(const FileDesc& desc)
{
    const QString path = inFolder(from_, desc.fileName());
    if (QFileInfo::exists(path))
        return;
    OpenOptions options;
    options.fileName = path;
    if (desc.createdWhenMissing)
        DataFile::createEmpty(desc, options);
    else if (QDir(from_) == QDir::current())
        createMissingInNewFolder(desc, options);
    totalBytes_ += QFileInfo(path).size();
}

void FileBackup::finishCurrent()
{
    const Outcome outcome = current_->outcome();
    current_.reset();
    doneBytes_ += QFileInfo(inFolder(from_, currentName_)).size();
    if (outcome.status == Status::NotFound) {
        result_.missing << currentName_;
        return;
    }
    if (!outcome.ok()) {
        result_.failed << currentName_;
        return;
    }
    // A backup keeps each sound copy at once; a restore waits until every copy is sound.
    if (kind_ == Kind::Restore) {
        staged_.push_back(currentName_);
    } else if (!replaceWithStaged(to_, currentName_)) {
        DataFile::removeFile(inFolder(to_, stagingName(currentName_)));
        result_.failed << currentName_;
    }
}

void FileBackup::replaceStaged()
{
    for (const QString& fileName : staged_) {
        if (replaceWithStaged(to_, fileName))
            result_.replaced = true;
        else
            result_.failed << fileName;
    }
    staged_.clear();
}

void FileBackup::discardStaged()
{
    for (const QString& fileName : staged_)
        DataFile::removeFile(inFolder(to_, stagingName(fileName)));
    staged_.clear();
}

} // namespace nidora::data
