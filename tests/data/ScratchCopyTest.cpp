// Two windows filling the same scratch file at once each fill a copy of their own, so neither
// sees the other's rows nor loses its own, whether they are of one process or of two stations.
#include "AccessTestFixture.h"

#include "data/DataFile.h"
#include "data/ScratchRecords.h"
#include "support/OtherStation.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace nidora::data {
namespace {

OpenOptions copyFor(int thread)
{
    OpenOptions options;
    options.fileName = DataFile::copyFileName(fileDesc(FileId::GRAFICO), thread);
    return options;
}

int seriesRows(DataFile& file, std::uint8_t series, int& others)
{
    int rows = 0;
    file.page(nullptr, {}, Direction::Forward, 1000, [&](const RecordRef&, const Record& record) {
        (static_cast<const GRAFICO&>(record).SERIE == series ? rows : others) += 1;
    });
    return rows;
}

TEST(ScratchCopyTest, TwoFillsAtOnceNeverMixAndTheirCopiesAreRemoved)
{
    nidora::test::ScratchDirectory directory;
    const FileDesc& desc = fileDesc(FileId::GRAFICO);
    std::unique_ptr<DataFile> copies[2];
    for (int thread : { 2, 3 }) {
        ASSERT_TRUE(DataFile::createEmpty(desc, copyFor(thread)).ok());
        auto opened = DataFile::open(desc, OpenMode::ReadWrite, copyFor(thread));
        ASSERT_TRUE(opened.outcome.ok());
        ASSERT_TRUE(opened.file->beginBuffered().ok());
        copies[thread - 2] = std::move(opened.file);
    }
    for (int i = 0; i < 300; ++i) {
        for (std::uint8_t series : { 2, 3 }) {
            GRAFICO point;
            point.SERIE = series;
            point.X = i;
            point.Y = i * series;
            ASSERT_TRUE(copies[series - 2]->add(point).ok());
        }
    }
    for (auto& copy : copies)
        ASSERT_TRUE(copy->flush().ok());

    for (std::uint8_t series : { 2, 3 }) {
        int others = 0;
        EXPECT_EQ(seriesRows(*copies[series - 2], series, others), 300);
        EXPECT_EQ(others, 0);
    }
    EXPECT_FALSE(QFileInfo::exists(directory.filePath(desc.fileName())))
        << "the shared file is never touched";

    for (int thread : { 2, 3 }) {
        copies[thread - 2].reset();
        EXPECT_TRUE(DataFile::removeFile(DataFile::copyFileName(desc, thread)));
        EXPECT_FALSE(QFileInfo::exists(directory.filePath(DataFile::copyFileName(desc, thread))));
    }
}

class OwnCopyTest : public test::AccessTest {
protected:
    // Another window's thread, with data of its own.
    std::optional<Dictionary> other { std::in_place, errors };

    static QStringList filesOnDisk() { return QDir::current().entryList({ QStringLiteral("GRAFI???.*") }); }

    static void addPoint(AccessObject& chart, double x, double y)
    {
        auto& point = static_cast<GRAFICO&>(chart.buffer());
        point = GRAFICO {};
        point.SERIE = 1;
        point.X = x;
        point.Y = y;
        ASSERT_EQ(chart.insert(), AccessResult::Ok);
    }

    static std::vector<double> values(AccessObject& chart)
    {
        std::vector<double> ys;
        chart.file()->page(&chart.key("GRA:KSERIE"), {}, Direction::Forward, 1000,
            [&](const RecordRef&, const Record& record) {
                ys.push_back(static_cast<const GRAFICO&>(record).Y);
            });
        return ys;
    }
};

TEST_F(OwnCopyTest, EachThreadClaimsACopyOfItsOwnAndLeavesNothingBehind)
{
    AccessObject& mine = access(FileId::GRAFICO);
    AccessObject& theirs = other->access(FileId::GRAFICO);
    // An open file moves over to the copy for each of its users.
    ASSERT_EQ(mine.open(), AccessResult::Ok);
    ASSERT_EQ(mine.open(), AccessResult::Ok);
    ASSERT_TRUE(mine.useOwnCopy());
    EXPECT_EQ(mine.users(), 2);
    EXPECT_EQ(mine.copy(), 1);
    EXPECT_TRUE(mine.useOwnCopy()) << "claiming again keeps the copy";
    EXPECT_EQ(mine.copy(), 1);
    ASSERT_TRUE(theirs.useOwnCopy());
    EXPECT_EQ(theirs.copy(), 2) << "a number held is not given twice";
    ASSERT_EQ(theirs.open(), AccessResult::Ok);

    addPoint(mine, 1, 10);
    addPoint(theirs, 1, 20);
    EXPECT_EQ(values(mine), std::vector<double> { 10 });
    EXPECT_EQ(values(theirs), std::vector<double> { 20 });
    EXPECT_TRUE(all<GRAFICO>().empty()) << "the shared file is never touched";

    mine.dropOwnCopy();
    EXPECT_FALSE(mine.isOpen());
    EXPECT_EQ(mine.copy(), 0);
    EXPECT_EQ(
        filesOnDisk(), QStringList({ QStringLiteral("GRAFI002.QVM"), QStringLiteral("GRAFI002.QVM.lck") }));
    // The number let go is the first one free again, and starts empty.
    ASSERT_TRUE(mine.useOwnCopy());
    EXPECT_EQ(mine.copy(), 1);
    // The other thread ends with its copy still open: the copy goes with it.
    other.reset();
    mine.dropOwnCopy();
    EXPECT_TRUE(filesOnDisk().isEmpty()) << qPrintable(filesOnDisk().join(QLatin1Char(' ')));
}

TEST_F(OwnCopyTest, AnotherStationsCopyIsLeftAloneAndAnAbandonedOneIsTakenOver)
{
    nidora::test::OtherStation station({ QStringLiteral("fill-chart"), QStringLiteral("3") });
    ASSERT_TRUE(station.waitFor(QStringLiteral("filled 1")));
    AccessObject& mine = access(FileId::GRAFICO);
    ASSERT_TRUE(mine.useOwnCopy());
    EXPECT_EQ(mine.copy(), 2) << "the other station holds copy 1";
    ASSERT_EQ(mine.open(), AccessResult::Ok);
    addPoint(mine, 1, 7);
    EXPECT_EQ(values(mine), std::vector<double> { 7 });
    mine.dropOwnCopy();

    // A station switched off in the middle of its chart leaves its copy; the next claim on
    // this machine sees that nobody holds it any more, and starts it empty.
    station.kill();
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("GRAFI001.QVM")));
    ASSERT_TRUE(mine.useOwnCopy());
    EXPECT_EQ(mine.copy(), 1);
    ASSERT_EQ(mine.open(), AccessResult::Ok);
    EXPECT_TRUE(values(mine).empty());
    mine.dropOwnCopy();
    EXPECT_TRUE(filesOnDisk().isEmpty()) << qPrintable(filesOnDisk().join(QLatin1Char(' ')));
}

} // namespace
} // namespace nidora::data
