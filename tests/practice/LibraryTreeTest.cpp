#include "views/RecordWindowsTest.h"

#include "practice/LibraryTree.h"

#include <gmock/gmock.h>

#include <cstdlib>

namespace nidora::practice {
namespace {

using data::FileId;
using nidora::test::article;
using nidora::test::title;
using nidora::test::topic;
using testing::ElementsAre;

// The tree's rows as a reader sees them: indented by level, "+" before a closed entry with
// entries below it, "-" before an open one.
QStringList shown(const LibraryTree& tree)
{
    QStringList lines;
    for (const LibraryRow& row : tree.rows()) {
        const QString mark = row.level < 0 ? QStringLiteral("+ ")
            : row.loaded                   ? QStringLiteral("- ")
                                           : QString();
        lines << QString(2 * std::abs(row.level), u' ') + mark + row.display;
    }
    return lines;
}

class LibraryTreeTest : public views::test::RecordWindowsTest {
protected:
    void SetUp() override { ASSERT_EQ(library().relation(FileId::TEMAS).open(), data::AccessResult::Ok); }
    void TearDown() override { library().relation(FileId::TEMAS).close(); }

    static data::Dictionary& library() { return views::threadDictionary(); }
    static int rowOf(const LibraryTree& tree, const char* text)
    {
        for (int row = 0; row < tree.rowCount(); ++row)
            if (tree.rows()[std::size_t(row)].display == QString::fromUtf8(text))
                return row;
        return -1;
    }
};

TEST_F(LibraryTreeTest, AnEmptyLibraryShowsOnlyItsHeading)
{
    LibraryTree tree(library());
    ASSERT_TRUE(tree.load());
    EXPECT_THAT(shown(tree), ElementsAre("TEMAS"));
    EXPECT_EQ(tree.rows()[0].position, 0);
}

TEST_F(LibraryTreeTest, TopicsComeInKeyOrderAndOnlyThoseWithTitlesCanOpen)
{
    store(topic("Pediatría"));
    store(topic("cardiología"));
    store(topic("Neonatología"));
    store(title("Pediatría", "Vacunas"));
    store(title("Pediatría y Nutrición", "Lactancia")); // of no topic: it opens nothing
    LibraryTree tree(library());
    ASSERT_TRUE(tree.load());
    EXPECT_THAT(shown(tree), ElementsAre("TEMAS", "  cardiología", "  Neonatología", "  + Pediatría"));
}

// The entries below an entry are those its key finds, whatever the case they were stored in:
// an expander never opens on nothing, and every entry under it can be reached (and deleted).
TEST_F(LibraryTreeTest, EntriesStoredInAnotherCaseThanTheirParentAreShownUnderIt)
{
    store(topic("Pediatría"));
    store(topic("Pediatría y Nutrición"));
    store(title("PEDIATRÍA", "Nutrición"));
    store(title("pediatría", "Vacunas"));
    store(title("Pediatría y Nutrición", "Lactancia"));
    store(article("pediatría ", "VACUNAS", "Calendario"));
    store(article("PEDIATRÍA", "vacunas", "Esquema"));
    LibraryTree tree(library());
    ASSERT_TRUE(tree.load());
    ASSERT_EQ(tree.open(rowOf(tree, "Pediatría")), RowRead::Ok);
    EXPECT_THAT(shown(tree),
        ElementsAre("TEMAS", "  - Pediatría", "    Nutrición", "    + Vacunas", "  + Pediatría y Nutrición"));
    ASSERT_EQ(tree.open(rowOf(tree, "Vacunas")), RowRead::Ok);
    EXPECT_THAT(shown(tree),
        ElementsAre("TEMAS", "  - Pediatría", "    Nutrición", "    - Vacunas", "      Calendario",
            "      Esquema", "  + Pediatría y Nutrición"));
}

TEST_F(LibraryTreeTest, ClosingAndOpeningAgainReopensTheEntriesThatWereOpenBelow)
{
    store(topic("Cardiología"));
    store(title("Cardiología", "Soplos"));
    store(topic("Pediatría"));
    store(title("Pediatría", "Nutrición"));
    store(title("Pediatría", "Vacunas"));
    store(article("Pediatría", "Vacunas", "Calendario"));
    LibraryTree tree(library());
    ASSERT_TRUE(tree.load());
    ASSERT_EQ(tree.open(rowOf(tree, "Pediatría")), RowRead::Ok);
    ASSERT_EQ(tree.open(rowOf(tree, "Vacunas")), RowRead::Ok);
    const QStringList open { "TEMAS", "  + Cardiología", "  - Pediatría", "    Nutrición", "    - Vacunas",
        "      Calendario" };
    ASSERT_EQ(shown(tree), open);

    const std::int64_t vaccines = tree.rows()[std::size_t(rowOf(tree, "Vacunas"))].position;
    ASSERT_EQ(tree.close(rowOf(tree, "Pediatría")), RowRead::Ok);
    EXPECT_THAT(shown(tree), ElementsAre("TEMAS", "  + Cardiología", "  + Pediatría"));
    EXPECT_TRUE(tree.isOpen(LibraryTree::Title, vaccines));
    ASSERT_EQ(tree.open(rowOf(tree, "Pediatría")), RowRead::Ok);
    EXPECT_EQ(shown(tree), open);

    // A rebuild opens them all again too.
    ASSERT_TRUE(tree.load());
    EXPECT_EQ(shown(tree), open);
}

TEST_F(LibraryTreeTest, OpeningAnOpenEntryOrAnArticleAndClosingAClosedOneChangeNothing)
{
    store(topic("Pediatría"));
    store(title("Pediatría", "Vacunas"));
    store(article("Pediatría", "Vacunas", "Calendario"));
    LibraryTree tree(library());
    ASSERT_TRUE(tree.load());
    ASSERT_EQ(tree.open(1), RowRead::Ok);
    ASSERT_EQ(tree.open(2), RowRead::Ok);
    const QStringList open = shown(tree);
    for (int row = 0; row < tree.rowCount(); ++row) {
        EXPECT_EQ(tree.open(row), RowRead::Ok);
        EXPECT_EQ(shown(tree), open) << row;
    }
    EXPECT_EQ(tree.close(0), RowRead::Ok);
    EXPECT_EQ(tree.close(3), RowRead::Ok);
    EXPECT_EQ(shown(tree), open);
}

TEST_F(LibraryTreeTest, AnEntryIsReadAgainByItsPositionIntoItsFilesBuffer)
{
    const data::RecordRef pediatrics = disk.store(topic("Pediatría"));
    const data::RecordRef vaccines = disk.store(title("Pediatría", "Vacunas"));
    LibraryTree tree(library());
    ASSERT_TRUE(tree.load());
    ASSERT_EQ(tree.open(1), RowRead::Ok);
    ASSERT_EQ(tree.find({ LibraryTree::Title, vaccines.id }), 2);
    EXPECT_EQ(tree.find({ -LibraryTree::Topic, pediatrics.id }), 1) << "the sign does not count";
    EXPECT_EQ(tree.titleRowOf(2), 2);

    // Renamed by another station since: the row shows the stored name once read again.
    data::TITULOS renamed = title("Pediatría", "Inmunizaciones");
    data::RecordRef at = vaccines;
    ASSERT_TRUE(disk(FileId::TITULOS).change(at, renamed).ok());
    ASSERT_EQ(tree.reread(2), RowRead::Ok);
    EXPECT_EQ(tree.rows()[2].display, QStringLiteral("Inmunizaciones"));
    EXPECT_EQ(library().buffer<data::TITULOS>().TITULO, QStringLiteral("Inmunizaciones"));
    EXPECT_EQ(library().access(FileId::TITULOS).current().id, vaccines.id);

    ASSERT_TRUE(disk(FileId::TITULOS).remove(vaccines.id).ok());
    EXPECT_EQ(tree.reread(2), RowRead::Gone);
}

} // namespace
} // namespace nidora::practice
