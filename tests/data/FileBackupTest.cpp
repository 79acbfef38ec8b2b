// Backup and restore of the practice's data files: what is copied, what replaces what, and
// that a copy is a state the file really had and is refused when it is damaged.
#include "data/FileBackup.h"
#include "data/DataFile.h"
#include "support/RecordMakers.h"
#include "support/ScratchDirectory.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using nidora::test::patient;
using testing::ElementsAre;
using testing::IsEmpty;

const FileDesc& descOf(FileId id)
{
    return catalogue()[std::size_t(id)];
}

class FileBackupTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(work_.path()).mkdir(QStringLiteral("copia")));
        for (FileId id : backedUpFiles())
            makeEmpty(work_.path(), id);
        addPatients(work_.path(), 1, 3);
    }

    QString folder() const { return work_.filePath(QStringLiteral("copia")); }

    static QString in(const QString& folder, FileId id)
    {
        return QDir(folder).filePath(descOf(id).fileName());
    }

    static void makeEmpty(const QString& folder, FileId id)
    {
        OpenOptions options;
        options.fileName = in(folder, id);
        ASSERT_TRUE(DataFile::createEmpty(descOf(id), options).ok());
    }

    static std::unique_ptr<DataFile> open(const QString& folder, FileId id)
    {
        OpenOptions options;
        options.fileName = in(folder, id);
        DataFile::Opened opened = DataFile::open(descOf(id), OpenMode::ReadWrite, options);
        EXPECT_TRUE(opened.outcome.ok()) << opened.outcome.text.toStdString();
        return std::move(opened.file);
    }

    static void addPatients(
        const QString& folder, std::int32_t first, std::int32_t last, const char* name = "NUEVO")
    {
        auto file = open(folder, FileId::PACIENTES);
        ASSERT_TRUE(file->beginBuffered().ok());
        for (std::int32_t code = first; code <= last; ++code)
            ASSERT_TRUE(file->add(patient(code, name)).ok());
        ASSERT_TRUE(file->flush().ok());
    }

    static std::int64_t patients(const QString& folder)
    {
        auto file = open(folder, FileId::PACIENTES);
        std::int64_t records = -1;
        EXPECT_TRUE(file->count(records).ok());
        return records;
    }

    static QByteArray digest(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }

    static std::map<QString, QByteArray> digests(const QString& folder)
    {
        std::map<QString, QByteArray> all;
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            all[name] = digest(QDir(folder).filePath(name));
        return all;
    }

    FileBackup::Result run(FileBackup::Kind kind, int pagesPerStep = FileBackup::kPagesPerStep)
    {
        FileBackup backup(kind, work_.path(), folder(), pagesPerStep);
        int last = 0;
        while (backup.step()) {
            EXPECT_GE(backup.percent(), last);
            last = backup.percent();
        }
        EXPECT_EQ(backup.percent(), 100);
        return backup.result();
    }

    nidora::test::ScratchDirectory work_;
};

TEST_F(FileBackupTest, BacksUpTheNineteenDataFilesInTheirOrder)
{
    QStringList names;
    for (FileId id : backedUpFiles())
        names << descOf(id).fileName();
    EXPECT_EQ(names.join(QLatin1Char(' ')),
        QStringLiteral(
            "AGENDA.QVM ARTICULO.QVM CONSULTA.QVM ENFERMED.QVM ANALISIS.QVM FOTOS.QVM MADRES.QVM "
            "MOTIVOS.QVM PACIENTE.QVM NOTASIMP.QVM OBRASSOC.QVM PADRES.QVM PLANVACU.QVM TABCRECI.QVM "
            "TABENFER.QVM TEMAS.QVM TITULOS.QVM VACUNACI.QVM MEDICOS.QVM"));

    const FileBackup::Result result = run(FileBackup::Kind::Backup);

    EXPECT_TRUE(result.complete());
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 19) << "nothing staged is left behind";
    EXPECT_EQ(patients(folder()), 3);
}

TEST_F(FileBackupTest, ABackupOverAnOlderOneReplacesItsFiles)
{
    for (FileId id : backedUpFiles())
        makeEmpty(folder(), id);
    addPatients(folder(), 1, 10, "VIEJO");
    QFile::copy(
        in(folder(), FileId::PACIENTES), in(folder(), FileId::PACIENTES) + QStringLiteral("-journal"));

    EXPECT_TRUE(run(FileBackup::Kind::Backup).complete());

    EXPECT_EQ(patients(folder()), 3);
    auto file = open(folder(), FileId::PACIENTES);
    PACIENTES read;
    ASSERT_TRUE(file->fetch(descOf(FileId::PACIENTES).keys.front(), { std::int64_t(1) }, read).ok());
    EXPECT_EQ(read.NOMBRE.trimmed(), QStringLiteral("NUEVO"));
}

// A file no window has opened yet is made empty and backed up with the others; the pathology
// table, which a practice with patients always has, is missing indeed.
TEST_F(FileBackupTest, ABackupMakesTheUnusedFilesAndNamesTheMissingOnes)
{
    QFile::remove(in(work_.path(), FileId::AGENDA));
    QFile::remove(in(work_.path(), FileId::TEMAS));
    QFile::remove(in(work_.path(), FileId::TABENFERMED));

    const FileBackup::Result result = run(FileBackup::Kind::Backup);

    EXPECT_THAT(result.missing, ElementsAre(QStringLiteral("TABENFER.QVM")));
    EXPECT_THAT(result.failed, IsEmpty());
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 18);
    EXPECT_TRUE(QFile::exists(in(folder(), FileId::AGENDA)));
}

TEST_F(FileBackupTest, ABackupIntoAFolderThatDoesNotExistCopiesNothing)
{
    ASSERT_TRUE(QDir(folder()).removeRecursively());

    const FileBackup::Result result = run(FileBackup::Kind::Backup);

    EXPECT_EQ(result.failed.size(), 19);
    EXPECT_FALSE(result.complete());
}

TEST_F(FileBackupTest, ARestoreBringsBackTheFolderFilesAndLeavesTheUsersAlone)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    addPatients(work_.path(), 4, 9);
    const QString users = work_.filePath(QStringLiteral("ACCESOS.QVM"));
    QFile::copy(in(work_.path(), FileId::MEDICOS), users);
    QFile::copy(in(work_.path(), FileId::AGENDA), QDir(folder()).filePath(QStringLiteral("ACCESOS.QVM")));
    const QByteArray usersBefore = digest(users);

    const FileBackup::Result result = run(FileBackup::Kind::Restore);

    EXPECT_TRUE(result.complete());
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(patients(work_.path()), 3);
    EXPECT_EQ(digest(users), usersBefore) << "the users are the working folder's, not the backup's";
    EXPECT_FALSE(QFile::exists(in(work_.path(), FileId::PACIENTES) + QStringLiteral(".tmp")));
}

TEST_F(FileBackupTest, ARestoreFromAnIncompleteFolderRestoresTheOthersAndNamesTheMissing)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    QFile::remove(in(folder(), FileId::MEDICOS));
    addPatients(work_.path(), 4, 5);
    const QByteArray doctorsBefore = digest(in(work_.path(), FileId::MEDICOS));

    const FileBackup::Result result = run(FileBackup::Kind::Restore);

    EXPECT_THAT(result.missing, ElementsAre(QStringLiteral("MEDICOS.QVM")));
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(patients(work_.path()), 3);
    EXPECT_EQ(digest(in(work_.path(), FileId::MEDICOS)), doctorsBefore);
}

TEST_F(FileBackupTest, ARestoreRemovesTheJournalLeftBesideAWorkingFile)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    const QString journal = in(work_.path(), FileId::PACIENTES) + QStringLiteral("-journal");
    QFile stale(journal);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(4096, '\x5a'));
    stale.close();

    EXPECT_TRUE(run(FileBackup::Kind::Restore).complete());

    EXPECT_FALSE(QFile::exists(journal));
    EXPECT_EQ(patients(work_.path()), 3);
}

// A damaged file in the backup folder: its copy fails the check, so the restore is refused as
// a whole and not one working file changes.
TEST_F(FileBackupTest, ADamagedBackupFileIsRefusedAndNothingIsReplaced)
{
    addPatients(work_.path(), 4, 400);
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    {
        QFile damaged(in(folder(), FileId::PACIENTES));
        ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
        ASSERT_GT(damaged.size(), 8 * 4096);
        damaged.seek(5 * 4096);
        damaged.write(QByteArray(4096, '\xff'));
    }
    addPatients(work_.path(), 401, 402);
    const auto before = digests(work_.path());

    const FileBackup::Result result = run(FileBackup::Kind::Restore);

    EXPECT_THAT(result.failed, ElementsAre(QStringLiteral("PACIENTE.QVM")));
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(digests(work_.path()), before);
}

// Another connection writes the file while it is backed up: the copy holds what was committed,
// never a half-written state.
TEST_F(FileBackupTest, ABackupWhileAnotherConnectionWritesIsAConsistentCopy)
{
    auto writer = open(work_.path(), FileId::PACIENTES);
    ASSERT_TRUE(writer->beginBuffered().ok());
    for (std::int32_t code = 100; code < 150; ++code)
        ASSERT_TRUE(writer->add(patient(code, "SIN CONFIRMAR")).ok());

    EXPECT_TRUE(run(FileBackup::Kind::Backup).complete());
    EXPECT_EQ(patients(folder()), 3) << "the uncommitted patients are not in the copy";

    ASSERT_TRUE(writer->flush().ok());
    writer.reset();
    addPatients(work_.path(), 1000, 2999);
    {
        // A commit in the middle of the copy, a few pages at a time: the copy starts again and
        // is of one state.
        FileBackup backup(FileBackup::Kind::Backup, work_.path(), folder(), 2);
        bool committed = false;
        while (backup.step()) {
            if (!committed && backup.percent() > 45) {
                addPatients(work_.path(), 5000, 5100);
                committed = true;
            }
        }
        EXPECT_TRUE(committed);
        EXPECT_TRUE(backup.result().complete());
    }
    EXPECT_EQ(patients(folder()), 3 + 50 + 2000 + 101);
}

} // namespace
} // namespace nidora::data::test
