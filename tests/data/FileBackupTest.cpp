// Backup and restore of the practice's data files: what is copied, what replaces what, that a
// folder holds a whole backup or says it does not, and that a damaged copy is refused.
#include "BackupFixture.h"

#include "data/BackupFolder.h"
#include "data/FileTransaction.h"
#include "data/RestoreRecord.h"
#include "support/RecordMakers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <cstdio>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class FileBackupTest : public BackupFixture { };

TEST_F(FileBackupTest, BacksUpTheNineteenDataFilesInTheirOrder)
{
    QStringList names;
    for (FileId id : backedUpFiles())
        names << fileDesc(id).fileName();
    EXPECT_EQ(names.join(QLatin1Char(' ')),
        QStringLiteral(
            "AGENDA.QVM ARTICULO.QVM CONSULTA.QVM ENFERMED.QVM ANALISIS.QVM FOTOS.QVM MADRES.QVM "
            "MOTIVOS.QVM PACIENTE.QVM NOTASIMP.QVM OBRASSOC.QVM PADRES.QVM PLANVACU.QVM TABCRECI.QVM "
            "TABENFER.QVM TEMAS.QVM TITULOS.QVM VACUNACI.QVM MEDICOS.QVM"));

    const FileBackup::Result result = run(FileBackup::Kind::Backup);

    EXPECT_TRUE(result.complete());
    EXPECT_EQ(wholeBackup(folder()), names) << "the folder lists its whole backup";
    EXPECT_THAT(leftovers(folder()), IsEmpty()) << "nothing staged is left behind";
    EXPECT_EQ(records(folder()), records(work()));
    expectSound(folder());
}

TEST_F(FileBackupTest, ABackupOverAnOlderOneReplacesItsFiles)
{
    for (FileId id : backedUpFiles())
        makeEmpty(folder(), id);
    addPatients(folder(), 1, 10, "VIEJO");
    QFile::copy(
        in(folder(), FileId::PACIENTES), in(folder(), FileId::PACIENTES) + QStringLiteral("-journal"));

    EXPECT_TRUE(run(FileBackup::Kind::Backup).complete());

    EXPECT_EQ(count(folder(), FileId::PACIENTES), 3);
    auto file = open(folder(), FileId::PACIENTES);
    PACIENTES read;
    ASSERT_TRUE(file->fetch(fileDesc(FileId::PACIENTES).keys.front(), { std::int64_t(1) }, read).ok());
    EXPECT_EQ(read.NOMBRE.trimmed(), QStringLiteral("NUEVO"));
}

// A file no window has opened yet is made empty and backed up with the others; the pathology
// table, which a practice with patients always has, is missing indeed, and the backup holds
// the others.
TEST_F(FileBackupTest, ABackupMakesTheUnusedFilesAndNamesTheMissingOnes)
{
    QFile::remove(in(work(), FileId::AGENDA));
    QFile::remove(in(work(), FileId::TEMAS));
    QFile::remove(in(work(), FileId::TABENFERMED));

    const FileBackup::Result result = run(FileBackup::Kind::Backup);

    EXPECT_THAT(result.missing, ElementsAre(QStringLiteral("TABENFER.QVM")));
    EXPECT_THAT(result.failed, IsEmpty());
    ASSERT_TRUE(wholeBackup(folder()));
    EXPECT_EQ(wholeBackup(folder())->size(), 18);
    EXPECT_TRUE(QFile::exists(in(folder(), FileId::AGENDA)));
}

TEST_F(FileBackupTest, ABackupIntoAFolderThatDoesNotExistCopiesNothing)
{
    ASSERT_TRUE(QDir(folder()).removeRecursively());

    const FileBackup::Result result = run(FileBackup::Kind::Backup);

    EXPECT_EQ(result.failed.size(), 19);
    EXPECT_FALSE(result.complete());
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

// Cut short at any page, a backup leaves the folder's earlier backup as it was.
TEST_F(FileBackupTest, ACancelledBackupLeavesTheEarlierBackupWhole)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    const auto earlier = records(folder());
    addPatients(work(), 4, 2000);
    for (int cancelAt : { 0, 5, 30, 60, 95 }) {
        FileBackup::Options options;
        options.pagesPerStep = 2;
        FileBackup backup(FileBackup::Kind::Backup, work(), folder(), options);
        while (!backup.wait(std::chrono::milliseconds(0)) && backup.percent() < cancelAt) { }
        backup.cancel();
        while (!backup.wait(std::chrono::milliseconds(100))) { }
        if (backup.result().complete())
            continue; // it ended before the cancel came
        EXPECT_TRUE(backup.result().cancelled) << cancelAt;
        EXPECT_EQ(records(folder()), earlier) << cancelAt;
        EXPECT_TRUE(wholeBackup(folder())) << cancelAt;
        EXPECT_THAT(leftovers(folder()), IsEmpty()) << cancelAt;
    }
}

TEST_F(FileBackupTest, ARestoreBringsBackTheFolderFilesAndLeavesTheUsersAlone)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    const auto backedUp = records(folder());
    addPatients(work(), 4, 9);
    const QString users = work_.filePath(QStringLiteral("ACCESOS.QVM"));
    QFile::copy(in(work(), FileId::MEDICOS), users);
    QFile::copy(in(work(), FileId::AGENDA), QDir(folder()).filePath(QStringLiteral("ACCESOS.QVM")));
    const auto usersBefore = QFileInfo(users).lastModified();

    const FileBackup::Result result = run(FileBackup::Kind::Restore);

    EXPECT_TRUE(result.complete());
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(count(work(), FileId::PACIENTES), 3);
    EXPECT_EQ(records(work()), backedUp);
    EXPECT_EQ(QFileInfo(users).lastModified(), usersBefore) << "the users are the working folder's";
    EXPECT_THAT(leftovers(work()), IsEmpty());
    expectSound(work());
}

// A working file missing from the folder is put in place from the backup.
TEST_F(FileBackupTest, ARestoreMakesTheWorkingFilesTheFolderLacks)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    QFile::remove(in(work(), FileId::PACIENTES));

    EXPECT_TRUE(run(FileBackup::Kind::Restore).complete());

    EXPECT_EQ(count(work(), FileId::PACIENTES), 3);
    EXPECT_THAT(leftovers(work()), IsEmpty());
}

struct NotWhole {
    const char* name;
    void (*spoil)(const QString& folder);
};

// A folder without a whole backup: the restore says so and replaces nothing.
class ARestoreFromAFolderWithoutAWholeBackup : public FileBackupTest,
                                               public testing::WithParamInterface<NotWhole> { };

TEST_P(ARestoreFromAFolderWithoutAWholeBackup, RefusesAndReplacesNothing)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    GetParam().spoil(folder());
    addPatients(work(), 4, 5);
    const auto before = records(work());

    const FileBackup::Result result = run(FileBackup::Kind::Restore);

    EXPECT_FALSE(result.wholeSet);
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(records(work()), before);
    EXPECT_THAT(leftovers(work()), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Folders, ARestoreFromAFolderWithoutAWholeBackup,
    testing::Values(NotWhole { "AListedFileMissing",
                        [](const QString& folder) {
                            QFile::remove(QDir(folder).filePath(QStringLiteral("MEDICOS.QVM")));
                        } },
        NotWhole { "NoList",
            [](const QString& folder) {
                QFile::remove(QDir(folder).filePath(QStringLiteral("COPIA.LST")));
            } },
        NotWhole { "AFileOfAnotherSize",
            [](const QString& folder) {
                QFile file(QDir(folder).filePath(QStringLiteral("PACIENTE.QVM")));
                ASSERT_TRUE(file.open(QIODevice::Append));
                file.write(QByteArray(4096, '\0'));
            } },
        // A first backup into the folder cut short before its list: copies in the staging
        // folder and nothing else.
        NotWhole { "OnlyAStagingFolderWithoutItsList",
            [](const QString& folder) {
                const QDir dir(folder);
                ASSERT_TRUE(dir.mkdir(QStringLiteral("COPIA.TMP")));
                for (const QString& name : dir.entryList(QDir::Files)) {
                    if (name != QLatin1String("COPIA.LST")) {
                        ASSERT_TRUE(QFile::rename(
                            dir.filePath(name), dir.filePath(QStringLiteral("COPIA.TMP/") + name)));
                    }
                }
                QFile::remove(dir.filePath(QStringLiteral("COPIA.TMP/PACIENTE.QVM")));
                QFile::remove(dir.filePath(QStringLiteral("COPIA.LST")));
            } }),
    [](const testing::TestParamInfo<NotWhole>& each) { return each.param.name; });

// A backup cut short while it moved its whole staged set into the folder: the folder's old list
// is gone and some files are new; whoever looks next finishes the move, and the folder holds the
// whole new backup.
TEST_F(FileBackupTest, ABackupCutShortWhileMovingItsSetInIsFinishedByTheRestore)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    addPatients(work(), 4, 20);
    const auto newer = records(work());
    const QDir dir(folder());
    {
        // The newer backup made in the staging folder, its list written, half of it moved in.
        QTemporaryDir elsewhere;
        FileBackup backup(FileBackup::Kind::Backup, work(), elsewhere.path());
        while (!backup.wait(std::chrono::milliseconds(10))) { }
        ASSERT_TRUE(backup.result().complete());
        ASSERT_TRUE(QDir().rename(elsewhere.path(), dir.filePath(QStringLiteral("COPIA.TMP"))));
        QDir().mkpath(elsewhere.path());
    }
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("COPIA.LST"))));
    for (const char* name : { "AGENDA.QVM", "CONSULTA.QVM", "PACIENTE.QVM" }) {
        QFile::remove(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral("COPIA.TMP/") + QString::fromLatin1(name)),
            dir.filePath(QString::fromLatin1(name))));
    }
    addPatients(work(), 21, 30);

    EXPECT_TRUE(run(FileBackup::Kind::Restore).complete());

    EXPECT_EQ(records(work()), newer);
    EXPECT_THAT(leftovers(folder()), IsEmpty());
}

TEST_F(FileBackupTest, AJournalLeftBesideAWorkingFileDoesNotSpoilTheRestore)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    const QString journal = in(work(), FileId::PACIENTES) + QStringLiteral("-journal");
    QFile stale(journal);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(4096, '\x5a'));
    stale.close();

    EXPECT_TRUE(run(FileBackup::Kind::Restore).complete());

    EXPECT_EQ(count(work(), FileId::PACIENTES), 3);
    expectSound(work());
}

// A damaged file in the backup folder: its copy fails the check, so the restore is refused as
// a whole and not one working file changes.
TEST_F(FileBackupTest, ADamagedBackupFileIsRefusedAndNothingIsReplaced)
{
    addPatients(work(), 4, 400);
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    {
        QFile damaged(in(folder(), FileId::PACIENTES));
        ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
        ASSERT_GT(damaged.size(), 8 * 4096);
        damaged.seek(5 * 4096);
        damaged.write(QByteArray(4096, '\xff'));
    }
    addPatients(work(), 401, 402);
    const auto before = records(work());

    const FileBackup::Result result = run(FileBackup::Kind::Restore);

    EXPECT_THAT(result.failed, ElementsAre(QStringLiteral("PACIENTE.QVM")));
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(records(work()), before);
    EXPECT_THAT(leftovers(work()), IsEmpty());
}

// Another connection holds uncommitted patients while the backup runs: the backup holds what
// was committed. Committed during the backup, the patients and their consultations land wholly
// before its moment or wholly after it.
TEST_F(FileBackupTest, ABackupIsOneMomentOfThePractice)
{
    addPatients(work(), 4, 2000);
    auto writer = open(work(), FileId::PACIENTES);
    ASSERT_TRUE(writer->beginBuffered().ok());
    for (std::int32_t code = 5000; code < 5050; ++code)
        ASSERT_TRUE(writer->add(nidora::test::patient(code, "SIN CONFIRMAR")).ok());

    EXPECT_TRUE(run(FileBackup::Kind::Backup).complete());
    EXPECT_EQ(count(folder(), FileId::PACIENTES), 2000) << "the uncommitted patients are not in the copy";
    writer->flush();
    writer.reset();

    FileBackup::Options slowly;
    slowly.pagesPerStep = 1;
    FileBackup backup(FileBackup::Kind::Backup, work(), folder(), slowly);
    while (!backup.wait(std::chrono::milliseconds(0)) && backup.percent() == 0) { }
    {
        // One change across two files, as a patient deleted with his consultations would be.
        auto patients = open(work(), FileId::PACIENTES);
        auto consultations = open(work(), FileId::CONSULTAS);
        FileTransaction together({ patients.get(), consultations.get() });
        ASSERT_TRUE(together.begin(std::chrono::seconds(5)).ok());
        for (std::int32_t code = 6000; code <= 6100; ++code) {
            ASSERT_TRUE(patients->add(nidora::test::patient(code)).ok());
            ASSERT_TRUE(consultations->add(nidora::test::consultation(code, code)).ok());
        }
        ASSERT_TRUE(together.commit().ok());
    }
    while (!backup.wait(std::chrono::milliseconds(10))) { }
    ASSERT_TRUE(backup.result().complete());
    const std::int64_t patients = count(folder(), FileId::PACIENTES);
    EXPECT_TRUE(patients == 2050 || patients == 2151) << patients;
    EXPECT_EQ(count(folder(), FileId::CONSULTAS), patients - 50);
}

// After a restore cut short once its list was written, the start finishes it from the copies.
TEST_F(FileBackupTest, TheStartFinishesARestoreCutShortAfterItsList)
{
    ASSERT_TRUE(run(FileBackup::Kind::Backup).complete());
    const auto backedUp = records(folder());
    addPatients(work(), 4, 50);
    const QDir working(work());
    ASSERT_TRUE(working.mkdir(QStringLiteral("RESTAURA.TMP")));
    QStringList names;
    for (FileId id : backedUpFiles()) {
        names << fileDesc(id).fileName();
        ASSERT_TRUE(
            QFile::copy(in(folder(), id), working.filePath(QStringLiteral("RESTAURA.TMP/") + names.back())));
    }
    QFile list(working.filePath(QStringLiteral("RESTAURA.LST")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(names.join(QLatin1Char('\n')).toUtf8());
    list.close();

    EXPECT_TRUE(settleInterruptedRestore(work(), std::chrono::seconds(1)).ok());

    EXPECT_EQ(records(work()), backedUp);
    EXPECT_THAT(leftovers(work()), IsEmpty());
    expectSound(work());
}

TEST_F(FileBackupTest, TheStartRemovesTheCopiesOfARestoreCutShortBeforeItsList)
{
    const auto before = records(work());
    ASSERT_TRUE(QDir(work()).mkdir(QStringLiteral("RESTAURA.TMP")));
    ASSERT_TRUE(QFile::copy(
        in(work(), FileId::MEDICOS), work_.filePath(QStringLiteral("RESTAURA.TMP/PACIENTE.QVM"))));

    EXPECT_TRUE(settleInterruptedRestore(work(), std::chrono::seconds(1)).ok());

    EXPECT_EQ(records(work()), before);
    EXPECT_THAT(leftovers(work()), IsEmpty());
}

} // namespace
} // namespace nidora::data::test
