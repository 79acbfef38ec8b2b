#pragma once

#include "data/Catalogue.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// Backup and restore of the practice's data files, a few pages at a time so that a window can
// show how far it has come and the other windows stay usable.
//
// Each file is copied through SQLite's online backup, so the copy is a state the file really
// had at one moment even while another connection writes to it, and a copy is checked (its
// schema and every page and key) before it replaces anything. A backup replaces each file of
// the folder once its new copy is sound; a restore first copies and checks every file the
// folder has and replaces the working files only when all of them are sound, removing the
// journals left beside them, since SQLite would otherwise roll a stale journal into the
// restored file.
//
//   FileBackup run(FileBackup::Kind::Restore, QDir::currentPath(), folder);
//   while (run.step()) bar.setValue(run.percent());     // from a timer, in a window
//   if (!run.result().complete()) ...                     // missing and failed files, by name
namespace nidora::data {

// The files a backup holds, in the order they are copied: every data file of the practice but
// the users file and the scratch files.
const std::vector<FileId>& backedUpFiles();

class FileCopy;

class FileBackup {
public:
    enum class Kind { Backup, Restore };

    struct Result {
        QStringList missing; // disk file names the source folder lacks
        QStringList failed; // files that could not be copied or whose copy is not sound
        bool replaced = false; // a restore changed the working files
        bool complete() const { return missing.isEmpty() && failed.isEmpty(); }
    };

    // Pages copied per step: 4 MB of the usual 4 KB pages, a few milliseconds of work.
    static constexpr int kPagesPerStep = 1024;

    // Backup: from the working folder into the other folder; restore: the other way.
    FileBackup(Kind kind, const QString& workingFolder, const QString& otherFolder,
        int pagesPerStep = kPagesPerStep);
    ~FileBackup();
    FileBackup(const FileBackup&) = delete;
    FileBackup& operator=(const FileBackup&) = delete;

    // Copies the next pages; false once everything is done (see result()).
    bool step();
    // How far the copy has come, by the bytes of the files to copy (0 to 100).
    int percent() const;
    const Result& result() const { return result_; }

private:
    void startNext();
    void makeUnusedFile(const FileDesc& desc);
    void finishCurrent();
    void replaceStaged();
    void discardStaged();

    Kind kind_;
    QString from_;
    QString to_;
    int pagesPerStep_;
    std::size_t next_ = 0;
    std::unique_ptr<FileCopy> current_;
    QString currentName_;
    std::vector<QString> staged_; // disk names copied and checked, waiting to replace theirs
    std::int64_t totalBytes_ = 0;
    std::int64_t doneBytes_ = 0;
    bool done_ = false;
    Result result_;
};

// The name a file is copied under before it replaces its namesake.
QString stagingName(const QString& fileName);

} // namespace nidora::data
