// The super-journals a commit across files leaves beside the first of them when the process
// ends in the middle: removed at start-up once nothing owns them, left alone while a commit on
// another station may still be under way.
#include "data/SuperJournals.h"

#include "data/Catalogue.h"
#include "data/DataFile.h"
#include "support/OtherStation.h"
#include "support/ScratchDirectory.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace nidora::data::test {
namespace {

using nidora::test::OtherStation;

// A super-journal listing the journals of the files named, as SQLite writes one.
void writeSuperJournal(const QString& name, const QStringList& files)
{
    QByteArray listed;
    for (const QString& file : files)
        listed += QDir::current().absoluteFilePath(file + QStringLiteral("-journal")).toUtf8() + '\0';
    QFile journal(name);
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    ASSERT_EQ(journal.write(listed), listed.size());
}

class SuperJournalsTest : public testing::Test {
protected:
    SuperJournalsTest()
    {
        EXPECT_TRUE(DataFile::createEmpty(fileDesc(FileId::PACIENTES)).ok());
        EXPECT_TRUE(DataFile::createEmpty(fileDesc(FileId::CONSULTAS)).ok());
    }

    nidora::test::ScratchDirectory scratch;
};

TEST_F(SuperJournalsTest, OneThatNoJournalNamesAndNoStationWritesIsRemoved)
{
    const QString stale = QStringLiteral("PACIENTE.QVM-mj1A2B3C9D4");
    writeSuperJournal(stale, { QStringLiteral("PACIENTE.QVM"), QStringLiteral("CONSULTA.QVM") });
    // Listing a file that is gone since does not keep it either.
    const QString listingGone = QStringLiteral("PACIENTE.QVM-mj0000009FF");
    writeSuperJournal(listingGone, { QStringLiteral("BORRADO.QVM") });

    const QStringList removed = removeStaleSuperJournals(QDir::currentPath());

    EXPECT_EQ(removed.size(), 2);
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_FALSE(QFile::exists(listingGone));
    EXPECT_TRUE(QFile::exists(QStringLiteral("PACIENTE.QVM")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("CONSULTA.QVM")));
}

TEST_F(SuperJournalsTest, OneWhoseFileAnotherStationIsWritingIsLeftAlone)
{
    const QString live = QStringLiteral("PACIENTE.QVM-mjABCDEF901");
    writeSuperJournal(live, { QStringLiteral("PACIENTE.QVM"), QStringLiteral("CONSULTA.QVM") });
    OtherStation station({ "hold", "CONSULTA.QVM" });
    ASSERT_TRUE(station.waitFor(QStringLiteral("held")));

    EXPECT_TRUE(removeStaleSuperJournals(QDir::currentPath()).isEmpty());
    EXPECT_TRUE(QFile::exists(live));

    EXPECT_EQ(station.finish(), 0);
    EXPECT_EQ(removeStaleSuperJournals(QDir::currentPath()), QStringList { live });
}

// Files that only look like one are not the program's to remove.
TEST_F(SuperJournalsTest, OtherFilesAreLeftAlone)
{
    for (const QString& name : { QStringLiteral("notas-mjfoo.txt"), QStringLiteral("PACIENTE.QVM-journal"),
             QStringLiteral("PACIENTE.QVM-mj1A2B3C") }) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(removeStaleSuperJournals(QDir::currentPath()).isEmpty());
    EXPECT_TRUE(QFile::exists(QStringLiteral("notas-mjfoo.txt")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("PACIENTE.QVM-mj1A2B3C")));
}

} // namespace
} // namespace nidora::data::test
