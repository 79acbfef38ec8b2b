// Two windows filling the same scratch file at once each fill a copy of their own, so neither
// sees the other's rows nor loses its own.
#include "data/DataFile.h"
#include "data/ScratchRecords.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QFileInfo>

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
    test::ScratchDirectory directory;
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

} // namespace
} // namespace nidora::data
