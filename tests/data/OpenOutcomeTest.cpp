// What opening a data file reports for each state its disk file can be in: every outcome the
// access objects turn into a message, and never a crash on a file that is not ours.
#include "SampleFile.h"
#include "data/Catalogue.h"
#include "data/DataFile.h"
#include "data/KeyCollation.h"
#include "data/SqliteConnection.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <random>

#include <unistd.h>

using namespace nidora::data;
using nidora::test::sample;
using nidora::test::sampleFile;
using nidora::test::sampleKey;

namespace {

QString samplePath()
{
    return QStringLiteral("SAMPLE.QVM");
}

// A sample file with enough records to span many pages.
void writeSampleFile()
{
    auto opened = DataFile::open(sampleFile());
    ASSERT_TRUE(opened.outcome.ok());
    ASSERT_TRUE(opened.file->beginBuffered().ok());
    for (int code = 1; code <= 2000; ++code)
        ASSERT_TRUE(opened.file->add(sample(code, QStringLiteral("N%1").arg(code), "G")).ok());
    ASSERT_TRUE(opened.file->flush().ok());
}

void overwrite(const QByteArray& bytes)
{
    QFile file(samplePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray diskBytes()
{
    QFile file(samplePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void truncateToHalf()
{
    writeSampleFile();
    QFile file(samplePath());
    ASSERT_TRUE(file.resize(file.size() / 2));
}

void randomBytes()
{
    std::mt19937 generator(1801);
    QByteArray bytes(64 * 1024, '\0');
    for (char& byte : bytes)
        byte = char(generator());
    overwrite(bytes);
}

void textFile()
{
    overwrite("codigo;nombre\n1;Ana\n2;Eva\n");
}

void emptyFile()
{
    overwrite({});
}

void withRawConnection(const QByteArray& sql)
{
    writeSampleFile();
    sql::Connection raw(samplePath(), false, false);
    ASSERT_TRUE(registerKeyCollation(raw.handle()));
    ASSERT_TRUE(raw.exec(sql)) << raw.error().text.toStdString();
}

void indexDropped()
{
    withRawConnection("DROP INDEX \"SAM:KNOMBRE\"");
}

// The key's index replaced by one on another column: its entries no longer match the key.
void indexAltered()
{
    withRawConnection("DROP INDEX \"SAM:KGRUPO\"; CREATE INDEX \"SAM:KGRUPO\" ON records (\"NOMBRE\")");
}

struct OpenCase {
    const char* name;
    std::function<void()> arrange;
    Status expected;
};

void PrintTo(const OpenCase& c, std::ostream* out)
{
    *out << c.name;
}

class OpenOutcomeTest : public testing::TestWithParam<OpenCase> {
protected:
    nidora::test::ScratchDirectory directory;
};

TEST_P(OpenOutcomeTest, ReportsTheStateOfTheDiskFile)
{
    GetParam().arrange();
    const QByteArray before = diskBytes();
    const auto opened = DataFile::open(sampleFile());
    EXPECT_EQ(opened.outcome.status, GetParam().expected) << opened.outcome.errorText().toStdString();
    EXPECT_EQ(opened.file != nullptr, GetParam().expected == Status::Ok);
    if (GetParam().expected == Status::Damaged) {
        EXPECT_EQ(diskBytes(), before) << "a damaged file is left for a backup to replace";
    }
    if (GetParam().expected != Status::KeysDamaged)
        return;
    // The records are sound: rebuilding the keys mends the file and every key reads again.
    ASSERT_TRUE(DataFile::rebuildKeys(sampleFile()).ok());
    const auto mended = DataFile::open(sampleFile());
    ASSERT_TRUE(mended.outcome.ok()) << mended.outcome.errorText().toStdString();
    EXPECT_TRUE(mended.file->checkIntegrity().ok());
    nidora::test::SAMPLE read;
    EXPECT_TRUE(mended.file->fetch(sampleKey("SAM:KNOMBRE"), { QString("n1500") }, read).ok());
    EXPECT_EQ(read.CODIGO, 1500);
    int visited = 0;
    ASSERT_TRUE(mended.file
                    ->page(&sampleKey("SAM:KGRUPO"), { { QString("G"), std::int64_t(1999) } },
                        Direction::Forward, 5, [&](const RecordRef&, const Record&) { ++visited; })
                    .ok());
    EXPECT_EQ(visited, 2);
}

INSTANTIATE_TEST_SUITE_P(States, OpenOutcomeTest,
    testing::Values(OpenCase { "Sound", writeSampleFile, Status::Ok },
        OpenCase { "Truncated", truncateToHalf, Status::Damaged },
        OpenCase { "RandomBytes", randomBytes, Status::Damaged },
        OpenCase { "TextFile", textFile, Status::Damaged },
        // New files are built whole before they take their name: one found empty has lost
        // what it held.
        OpenCase { "EmptyFile", emptyFile, Status::Damaged },
        OpenCase { "IndexDropped", indexDropped, Status::KeysDamaged },
        OpenCase { "IndexAltered", indexAltered, Status::KeysDamaged }),
    [](const testing::TestParamInfo<OpenCase>& param) { return param.param.name; });

class MissingFileTest : public testing::Test {
protected:
    nidora::test::ScratchDirectory directory;
};

TEST_F(MissingFileTest, OnlyThePathologyTableIsNotCreated)
{
    for (const FileDesc& file : catalogue()) {
        OpenOptions options;
        if (file.enciphered)
            options.password = "8826";
        const auto opened = DataFile::open(file, OpenMode::ReadWrite, options);
        const bool pathologies = file.diskName == QLatin1String("TABENFER");
        EXPECT_EQ(opened.outcome.status, pathologies ? Status::NotFound : Status::Ok)
            << file.label.toStdString();
        EXPECT_EQ(opened.created, !pathologies) << file.label.toStdString();
        EXPECT_EQ(QFileInfo::exists(directory.filePath(file.fileName())), !pathologies)
            << file.label.toStdString();
    }
    // Read-only opening never creates anything either.
    ASSERT_TRUE(DataFile::removeFile(QStringLiteral("PACIENTE.QVM")));
    EXPECT_EQ(
        DataFile::open(fileDesc(FileId::PACIENTES), OpenMode::ReadOnly).outcome.status, Status::NotFound);
    EXPECT_FALSE(QFileInfo::exists(directory.filePath(QStringLiteral("PACIENTE.QVM"))));
}

TEST_F(MissingFileTest, FileWithoutWritePermissionIsDeniedThenOpensReadOnly)
{
    // The superuser writes whatever the permissions say, so the refusal cannot be shown.
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not bite";
    writeSampleFile();
    ASSERT_TRUE(QFile::setPermissions(samplePath(), QFile::ReadOwner));
    EXPECT_EQ(DataFile::open(sampleFile()).outcome.status, Status::AccessDenied);
    const auto readOnly = DataFile::open(sampleFile(), OpenMode::ReadOnly);
    ASSERT_TRUE(readOnly.outcome.ok()) << readOnly.outcome.errorText().toStdString();
    nidora::test::SAMPLE read;
    EXPECT_TRUE(readOnly.file->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(7) }, read).ok());
    EXPECT_EQ(readOnly.file->add(sample(9999, "Nueva")).status, Status::ReadOnly);

    ASSERT_TRUE(QFile::setPermissions(samplePath(), QFileDevice::Permissions()));
    EXPECT_NE(DataFile::open(sampleFile(), OpenMode::ReadOnly).outcome.status, Status::Ok);
    QFile::setPermissions(samplePath(), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace
