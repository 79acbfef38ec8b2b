#include "data/FileBackup.h"

#include "data/BackupFolder.h"
#include "data/DataFile.h"
#include "data/FileCopy.h"
#include "data/FileSync.h"
#include "data/FolderClaim.h"
#include "data/NewFolder.h"
#include "data/SleepingWait.h"
#include "data/SqliteConnection.h"
#include "data/WorkingFilesLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <deque>
#include <future>
#include <memory>

namespace nidora::data {
namespace {

QString inFolder(const QString& folder, const QString& fileName)
{
    return QDir(folder).absoluteFilePath(fileName);
}

const FileDesc* descOf(const QString& fileName)
{
    for (FileId id : backedUpFiles()) {
        if (fileDesc(id).fileName() == fileName)
            return &fileDesc(id);
    }
    return nullptr;
}

// A copy of a file nobody writes, readable and writable by the practice whatever the source's
// permissions (a backup on a medium that cannot be written).
bool plainCopy(const QString& from, const QString& to)
{
    QFile::remove(to + QStringLiteral("-journal"));
    QFile::remove(to);
    return QFile::copy(from, to)
        && QFile::setPermissions(
            to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther)
        && syncFile(to);
}

// A read of the whole file begun and held: until it ends no other connection can commit a
// change to the file, so every file read this way is read as it stood at one moment.
std::unique_ptr<sql::Connection> beginRead(const QString& path, const SleepingWait& wait)
{
    // Read-write where it can, so that a journal a crashed station left is rolled back first.
    auto connection = std::make_unique<sql::Connection>(path, false, false);
    if (!connection->isOpen())
        connection = std::make_unique<sql::Connection>(path, true, false);
    if (!connection->isOpen())
        return connection;
    installSleepingWait(connection->handle(), wait);
    if (connection->exec("BEGIN"))
        connection->exec("SELECT count(*) FROM sqlite_master");
    return connection;
}

} // namespace

// The checks of the copies made so far, a few at a time, each on a thread and a connection of
// its own.
class FileBackup::Checks {
public:
    Checks(int threads, std::atomic<std::int64_t>& doneBytes)
        : threads_(std::max(1, threads))
        , doneBytes_(doneBytes)
    {
    }
    ~Checks() { failures(); }

    void add(const QString& fileName, const QString& path, std::int64_t bytes)
    {
        while (int(running_.size()) >= threads_)
            reapOldest();
        const FileDesc* desc = descOf(fileName);
        running_.push_back({ fileName,
            std::async(std::launch::async, [this, desc, path, bytes] {
                Outcome checked = desc ? checkCopy(*desc, path) : Outcome { Status::Damaged, nullptr, 0, {} };
                doneBytes_ += bytes;
                return checked;
            }) });
    }

    // Waits for every check; the files whose copy is not sound.
    QStringList failures()
    {
        while (!running_.empty())
            reapOldest();
        return failed_;
    }

private:
    struct Running {
        QString fileName;
        std::future<Outcome> outcome;
    };

    void reapOldest()
    {
        Running oldest = std::move(running_.front());
        running_.pop_front();
        if (!oldest.outcome.get().ok())
            failed_ << oldest.fileName;
    }

    int threads_;
    std::atomic<std::int64_t>& doneBytes_;
    std::deque<Running> running_;
    QStringList failed_;
};

const std::vector<FileId>& backedUpFiles()
{
    static const std::vector<FileId> files { FileId::AGENDA, FileId::ARTICULOS, FileId::CONSULTAS,
        FileId::ENFERMEDADES, FileId::ANALISIS, FileId::FOTOS, FileId::MADRES, FileId::MOTIVOS,
        FileId::PACIENTES, FileId::NOTASIMPO, FileId::OBRASSOCIALES, FileId::PADRES, FileId::PLANVACUNACION,
        FileId::TABCRECIMIENTO, FileId::TABENFERMED, FileId::TEMAS, FileId::TITULOS, FileId::VACUNACION,
        FileId::MEDICOS };
    return files;
}

FileBackup::FileBackup(Kind kind, const QString& workingFolder, const QString& otherFolder)
    : FileBackup(kind, workingFolder, otherFolder, Options {})
{
}

FileBackup::FileBackup(Kind kind, const QString& workingFolder, const QString& otherFolder, Options options)
    : kind_(kind)
    , working_(QDir(workingFolder).absolutePath())
    , other_(QDir(otherFolder).absolutePath())
    , options_(std::move(options))
    , phases_(kind == Kind::Backup ? 2 : 3)
    , sleeping_ { options_.lockWait, &cancelled_ }
{
    if (kind_ == Kind::Backup)
        makeUnusedFiles();
    const QString from = kind_ == Kind::Backup ? working_ : other_;
    for (FileId id : backedUpFiles()) {
        const QFileInfo source(inFolder(from, fileDesc(id).fileName()));
        if (source.exists())
            totalBytes_ += source.size();
    }
    thread_ = std::thread([this] { run(); });
}

FileBackup::~FileBackup()
{
    cancel();
    if (thread_.joinable())
        thread_.join();
}

bool FileBackup::wait(std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return ended_.wait_for(lock, wait, [this] { return finished_.load(); });
}

int FileBackup::percent() const
{
    if (finished_)
        return 100;
    if (totalBytes_ == 0)
        return 0;
    return std::min(99, int(100.0 * double(doneBytes_) / double(totalBytes_ * phases_)));
}

void FileBackup::run()
{
    if (kind_ == Kind::Backup)
        backUp();
    else
        restore();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    ended_.notify_all();
}

// A file the practice has not used yet is made empty first, as the first window to open it
// would make it, so that the backup holds every file and restores as a whole. A file that is
// never made when missing (the pathology table of a practice with patients) is missing indeed.
void FileBackup::makeUnusedFiles()
{
    for (FileId id : backedUpFiles()) {
        const FileDesc& desc = fileDesc(id);
        const QString path = inFolder(working_, desc.fileName());
        if (QFileInfo::exists(path))
            continue;
        OpenOptions options;
        options.fileName = path;
        if (desc.createdWhenMissing)
            DataFile::createEmpty(desc, options);
        else if (QDir(working_) == QDir::current())
            createMissingInNewFolder(desc, options);
    }
}

// Copies the files into the staging folder and checks every copy; false when one could not be
// copied or is not sound (result().failed names it) or the run was cancelled.
bool FileBackup::copyAll(
    const QString& from, const QString& into, const QStringList& fileNames, bool oneMoment)
{
    std::vector<std::unique_ptr<sql::Connection>> sources;
    for (const QString& name : fileNames) {
        if (!oneMoment)
            continue;
        sources.push_back(beginRead(inFolder(from, name), sleeping_));
        if (!sources.back()->isOpen() || !sources.back()->inTransaction())
            result_.failed << name;
    }
    if (cancelled_) {
        // Cancelled while a read waited for another station's lock.
        result_.failed.clear();
        result_.cancelled = true;
    }
    if (!result_.failed.isEmpty() || result_.cancelled)
        return false;
    // The largest file first: its check, the longest, then runs while the others are copied.
    // The order is not seen in the copy, which is of one moment or of files nobody changes.
    std::vector<std::size_t> order(std::size_t(fileNames.size()));
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return QFileInfo(inFolder(from, fileNames[int(a)])).size()
            > QFileInfo(inFolder(from, fileNames[int(b)])).size();
    });
    Checks checks(options_.checkThreads, doneBytes_);
    for (std::size_t k : order) {
        if (cancelled_)
            break;
        const QString path = inFolder(into, fileNames[int(k)]);
        std::int64_t counted = 0;
        if (!oneMoment) {
            // Nobody writes a backup folder's files: the system's own copy is the quickest.
            if (!plainCopy(inFolder(from, fileNames[int(k)]), path)) {
                result_.failed << fileNames[int(k)];
                continue;
            }
            counted = QFileInfo(path).size();
            doneBytes_ += counted;
            checks.add(fileNames[int(k)], path, counted);
            continue;
        }
        {
            const std::unique_ptr<sql::Connection> target = newCopyFile(path);
            if (!target->isOpen()) {
                result_.failed << fileNames[int(k)];
                continue;
            }
            FileCopy copy(*sources[k], *target);
            for (bool more = true; more && !cancelled_;) {
                more = copy.step(options_.pagesPerStep);
                doneBytes_ += copy.copiedBytes() - counted;
                counted = copy.copiedBytes();
            }
            if (cancelled_)
                break;
            if (!copy.outcome().ok()) {
                result_.failed << fileNames[int(k)];
                continue;
            }
        }
        checks.add(fileNames[int(k)], path, counted);
    }
    sources.clear();
    result_.failed << checks.failures();
    result_.cancelled = cancelled_;
    return result_.failed.isEmpty() && !cancelled_;
}

void FileBackup::backUp()
{
    if (!QFileInfo(other_).isDir() || !settleBackupFolder(other_)) {
        for (FileId id : backedUpFiles())
            result_.failed << fileDesc(id).fileName();
        return;
    }
    const QString staging = inFolder(other_, backupStagingName());
    QStringList present;
    for (FileId id : backedUpFiles()) {
        const QString name = fileDesc(id).fileName();
        if (QFileInfo::exists(inFolder(working_, name)))
            present << name;
        else
            result_.missing << name;
    }
    {
        const FolderClaim claim(staging);
        if (!claim.held()) {
            result_.failed = present;
            return;
        }
        if (copyAll(working_, staging, present, true) && listStagedSet(staging, present)
            && settleBackupFolder(other_))
            return;
    }
    // Cut short or failed: the folder keeps its earlier backup.
    QDir(staging).removeRecursively();
}

void FileBackup::restore()
{
    const QString staging = inFolder(working_, restoreStagingName());
    const FolderClaim claim(staging);
    if (!claim.held()) {
        result_.busy = restoreStagingName();
        return;
    }
    // A restore another station left half done is finished first: the files are then whole.
    if (QFileInfo::exists(inFolder(working_, restoreListName()))) {
        const QStringList pending = readLines(inFolder(working_, restoreListName()));
        WorkingFilesLock locks(working_, sleeping_);
        if (!locks.lock(pending).ok()) {
            result_.busy = locks.busyFile();
            return;
        }
        if (!replaceFromCopies(locks, working_, pending).ok()) {
            result_.failed = pending;
            return;
        }
        QDir().mkpath(staging);
    }
    settleBackupFolder(other_);
    const std::optional<QStringList> set = wholeBackup(other_);
    if (!set) {
        result_.wholeSet = false;
        QDir(staging).removeRecursively();
        return;
    }
    QStringList files;
    for (FileId id : backedUpFiles()) {
        const QString name = fileDesc(id).fileName();
        if (set->contains(name))
            files << name;
        else
            result_.missing << name;
    }
    if (!copyAll(other_, staging, files, false)) {
        QDir(staging).removeRecursively();
        return;
    }
    WorkingFilesLock locks(working_, sleeping_);
    const bool locked = locks.lock(files).ok();
    if (!locked || cancelled_) {
        result_.cancelled = cancelled_;
        result_.busy = result_.cancelled ? QString() : locks.busyFile();
        QDir(staging).removeRecursively();
        return;
    }
    const Outcome replaced = replaceFromCopies(locks, working_, files, [&](int done) {
        doneBytes_ += QFileInfo(inFolder(other_, files[done - 1])).size();
        if (options_.replaced)
            options_.replaced(done);
    });
    // Once the list is written the restored set is the practice's: a failure from then on is
    // finished by the next start.
    result_.replaced = replaced.ok();
    result_.finishedAtStart = !replaced.ok() && QFileInfo::exists(inFolder(working_, restoreListName()));
    if (!replaced.ok() && !result_.finishedAtStart)
        result_.failed = files;
}

} // namespace nidora::data
