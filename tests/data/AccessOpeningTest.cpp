#include "AccessTestFixture.h"

#include <QFile>
#include <QFileInfo>

#include <string>

#include <gmock/gmock.h>
#include <sqlite3.h>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;

class AccessOpeningTest : public AccessTest { };

TEST_F(AccessOpeningTest, MissingPatientFileIsCreatedEmptyWithoutAMessage)
{
    ASSERT_FALSE(QFileInfo::exists(scratch.filePath(QStringLiteral("PACIENTE.QVM"))));
    EXPECT_EQ(access(FileId::PACIENTES).open(), AccessResult::Ok);
    EXPECT_TRUE(QFileInfo::exists(scratch.filePath(QStringLiteral("PACIENTE.QVM"))));
    EXPECT_EQ(count<PACIENTES>(), 0u);
    EXPECT_TRUE(presenter.shown().empty());
}

// In a practice that has patients, the missing pathology table ends the program, opened
// directly or as a related file.
TEST_F(AccessOpeningTest, MissingPathologyTableEndsTheProgramWithMessage26WhereThereArePatients)
{
    store(patient(1, "Pérez, Ana"));
    ASSERT_TRUE(DataFile::removeFile(QStringLiteral("TABENFER.QVM")));
    for (const bool related : { false, true }) {
        acknowledge();
        const AccessResult opened
            = related ? data.relation(FileId::PACIENTES).open() : access(FileId::TABENFERMED).open();
        EXPECT_EQ(opened, AccessResult::Fatal);
        EXPECT_EQ(lastShown().number, 26);
        EXPECT_EQ(lastShown().title, QStringLiteral("File Access Error"));
        EXPECT_TRUE(
            lastShown().text.startsWith(QStringLiteral("File TABENFERMED could not be opened.  Error: ")));
        EXPECT_TRUE(lastShown().text.endsWith(QStringLiteral(".  Press OK to end this application")));
    }
    EXPECT_EQ(ends, 2);
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath(QStringLiteral("TABENFER.QVM"))));
    // What the related open had opened before it failed is closed again.
    EXPECT_FALSE(access(FileId::PACIENTES).isOpen());
}

// A new folder (no patient file yet, or an empty one) has no pathology table to lose: it is
// created empty like every other file, whether the table or the patients are opened first.
TEST_F(AccessOpeningTest, MissingPathologyTableIsCreatedEmptyInAFolderWithoutPatients)
{
    struct Case {
        const char* folder;
        bool patientFile;
        bool related;
    };
    for (const Case c : { Case { "no patient file", false, false }, Case { "no patient file", false, true },
             Case { "an empty patient file", true, false }, Case { "an empty patient file", true, true } }) {
        SCOPED_TRACE(std::string(c.folder) + (c.related ? ", opened with the patients" : ", opened alone"));
        ASSERT_TRUE(DataFile::removeFile(QStringLiteral("TABENFER.QVM")));
        ASSERT_TRUE(DataFile::removeFile(QStringLiteral("PACIENTE.QVM")));
        if (c.patientFile) {
            ASSERT_TRUE(DataFile::createEmpty(fileDesc(FileId::PACIENTES)).ok());
        }
        RelationObject& patients = data.relation(FileId::PACIENTES);
        AccessObject& table = access(FileId::TABENFERMED);
        EXPECT_EQ(c.related ? patients.open() : table.open(), AccessResult::Ok);
        EXPECT_TRUE(QFileInfo::exists(scratch.filePath(QStringLiteral("TABENFER.QVM"))));
        EXPECT_TRUE(table.isOpen());
        c.related ? patients.close() : table.close();
    }
    EXPECT_TRUE(presenter.shown().empty());
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(count<TABENFERMED>(), 0u);
}

// An empty file where a practice keeps its data is data lost, not a new file: recreating it
// would show no patients without a word, or, for the users file, let the master password in
// with every right.
TEST_F(AccessOpeningTest, AnEmptyFileInAPracticeWithDataEndsTheProgramWithMessage26AndStaysAsItIs)
{
    store(patient(1, "Pérez, Ana"));
    for (const FileId id : { FileId::PACIENTES, FileId::ACCESOS }) {
        const QString name = fileDesc(id).fileName();
        SCOPED_TRACE(name.toStdString());
        {
            QFile emptied(scratch.filePath(name));
            ASSERT_TRUE(emptied.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        acknowledge();
        const int endsBefore = ends;
        EXPECT_EQ(access(id).open(), AccessResult::Fatal);
        EXPECT_EQ(lastShown().number, 26);
        EXPECT_TRUE(lastShown().text.contains(QStringLiteral("dañado")));
        EXPECT_EQ(ends, endsBefore + 1);
        EXPECT_EQ(QFileInfo(scratch.filePath(name)).size(), 0) << "the file is left for a backup to replace";
    }
}

TEST_F(AccessOpeningTest, OnlyTheLastCloseClosesTheFile)
{
    AccessObject& reasons = access(FileId::MOTIVOS);
    ASSERT_EQ(reasons.open(), AccessResult::Ok);
    ASSERT_EQ(reasons.open(), AccessResult::Ok);
    reasons.close();
    EXPECT_TRUE(reasons.isOpen());
    reasons.close();
    EXPECT_FALSE(reasons.isOpen());
    reasons.close();
    EXPECT_EQ(reasons.users(), 0);
}

TEST_F(AccessOpeningTest, DamagedKeysAreReportedRebuiltAndTheFileOpens)
{
    ASSERT_EQ(access(FileId::MOTIVOS).open(), AccessResult::Ok);
    access(FileId::MOTIVOS).close();
    sqlite3* db = nullptr;
    ASSERT_EQ(
        sqlite3_open(scratch.filePath(QStringLiteral("MOTIVOS.QVM")).toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "DROP INDEX \"MOT:KMOTIVO\"", nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);

    acknowledge();
    EXPECT_EQ(access(FileId::MOTIVOS).open(), AccessResult::Ok);
    EXPECT_THAT(shownNumbers(), ElementsAre(30));
    EXPECT_EQ(lastShown().title, QStringLiteral("Invalid Key"));
    EXPECT_EQ(lastShown().text, QStringLiteral("MOTIVOS key file is invalid. Key must be rebuilt."));
    EXPECT_EQ(ends, 0);

    // The rebuilt key works: a duplicate is refused again.
    data.buffer<MOTIVOS>().MOTIVO = QStringLiteral("Tos");
    ASSERT_EQ(access(FileId::MOTIVOS).insert(), AccessResult::Ok);
    EXPECT_EQ(access(FileId::MOTIVOS).tryInsert(), AccessResult::Failed);
}

TEST_F(AccessOpeningTest, TheEncipheredUsersFileOpensWithTheOwnerPassword)
{
    AccessObject& users = access(FileId::ACCESOS);
    ASSERT_EQ(users.open(), AccessResult::Ok);
    data.buffer<ACCESOS>().CLAVE = QStringLiteral("ADMIN");
    ASSERT_EQ(users.insert(), AccessResult::Ok);
    users.close();
    ASSERT_EQ(users.open(), AccessResult::Ok);
    data.buffer<ACCESOS>().CLAVE = QStringLiteral("admin");
    EXPECT_EQ(users.tryFetch(users.key("ACC:KCLAVE")), AccessResult::Ok);
    EXPECT_TRUE(presenter.shown().empty());
}

} // namespace
} // namespace nidora::data::test
