#include "reports/PageNumbering.h"
#include "reports/PageText.h"

#include "views/MetafileFormat.h"

#include <QPainter>

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace nidora::reports {
namespace {

// A page with a body text and the numbering placeholder in its footer, `footers` times.
views::ReportPage pageWithFooter(int footers = 1, const QString& body = "Cuerpo")
{
    views::ReportPage page = views::ReportPage::portrait();
    QPainter painter(&page);
    painter.setFont(QFont("Courier New", 8));
    painter.drawText(QPointF(500, 1000), body);
    for (int n = 0; n < footers; ++n)
        painter.drawText(QPointF(3000, 10500 + 100 * n), kPagePlaceholder);
    painter.end();
    return page;
}

TEST(PageNumbering, TheNumberIsCentredInThePlaceholdersPlace)
{
    const struct {
        int page, total;
        const char* text;
    } cases[] = {
        { 2, 3, "    Page 2 of 3    " },
        { 12, 300, "  Page 12 of 300   " },
        { 99999, 99999, "Page 99999 of 99999" },
        { 100000, 100000, "Page 100000 of 1000" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(pageNumberText(c.page, c.total), QByteArray(c.text));
        EXPECT_EQ(pageNumberText(c.page, c.total).size(), kPlaceholderLength);
    }
}

TEST(PageNumbering, EachPageGetsItsNumberOfTheTotal)
{
    std::vector<views::ReportPage> pages { pageWithFooter(), pageWithFooter(), pageWithFooter(0),
        pageWithFooter() };
    const QByteArray before = pages[1].metafile();
    numberPages(pages);
    EXPECT_EQ(pageTextLines(pages[0].metafile()).last().trimmed(), "Page 1 of 4");
    EXPECT_EQ(pageTextLines(pages[1].metafile()).last(), QString(70, ' ') + "    Page 2 of 4");
    EXPECT_EQ(pageTextLines(pages[2].metafile()), QStringList({ QString(11, ' ') + "Cuerpo" }));
    EXPECT_EQ(pageTextLines(pages[3].metafile()).last().trimmed(), "Page 4 of 4");
    // The records keep their sizes: only the placeholder's bytes changed.
    EXPECT_EQ(pages[1].metafile().size(), before.size());
    EXPECT_TRUE(pages[1].isValid());
}

TEST(PageNumbering, OnlyThePagesFirstPlaceholderIsReplaced)
{
    QByteArray bytes = pageWithFooter(2).metafile();
    ASSERT_TRUE(numberPage(bytes, 1, 2));
    const QStringList lines = pageTextLines(bytes);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].trimmed(), "Page 1 of 2");
    EXPECT_EQ(lines[2].trimmed(), kPagePlaceholder);
    // A page numbered once has no placeholder left for a second numbering.
    QByteArray again = bytes;
    ASSERT_TRUE(numberPage(again, 2, 2));
    EXPECT_FALSE(numberPage(again, 2, 2));
    EXPECT_EQ(pageTextLines(again)[1].trimmed(), "Page 1 of 2");
}

TEST(PageNumbering, APlaceholderAcrossABlockBoundaryIsFound)
{
    // Blocks of 256 bytes taken every 236: texts of every length before the footer put the
    // placeholder at every offset around the first boundaries.
    int straddling = 0;
    for (int length = 100; length <= 400; ++length) {
        SCOPED_TRACE(length);
        QByteArray bytes = pageWithFooter(1, QString(length, 'x')).metafile();
        const qsizetype at = bytes.indexOf(kPagePlaceholder);
        ASSERT_GT(at, 0);
        for (qsizetype blockEnd = 256; blockEnd < at + kPlaceholderLength; blockEnd += 236)
            straddling += at < blockEnd && blockEnd < at + kPlaceholderLength;
        ASSERT_TRUE(numberPage(bytes, 7, 9));
        EXPECT_EQ(bytes.mid(at, kPlaceholderLength), pageNumberText(7, 9));
    }
    EXPECT_GT(straddling, 10);
}

} // namespace
} // namespace nidora::reports
