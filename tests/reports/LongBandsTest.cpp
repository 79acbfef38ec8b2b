#include "reports/PageNumbering.h"
#include "reports/PageText.h"
#include "reports/ReportLayout.h"

#include "support/QStringPrinter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

// Bands taller than the room left on a page, and taller than a whole page: every line of their
// text is printed once, in order, each page under its header and over its numbered footer.
namespace nidora::reports {
namespace {

// A memo of about `characters` characters, in numbered words ("w0001 w0002 ...").
QStringList memoWords(int characters)
{
    QStringList words;
    for (int n = 1; words.join(u' ').size() < characters; ++n)
        words << QStringLiteral("w%1").arg(n, 4, 10, QLatin1Char('0'));
    return words;
}

// A page header with a title, a footer holding the placeholder of the page numbers, a group
// footer after the last band, and bands of one memo each, its lines in a column of a given
// width under a label, with a photo-sized picture beside the first lines when asked.
class MemoPages final : public ReportLayout {
public:
    void memo(const QStringList& words, double column, bool picture = false)
    {
        const QStringList lines = wrapped(words.join(u' '), courier(8), column);
        const double line = lineHeight(courier(8));
        printDetailBand({ line * double(lines.size() + 1) + 60, [=](BandPainter& band) {
                             band.rule(0);
                             band.text(0, 20, QStringLiteral("Notas:"), courier(8, true));
                             band.lines(800, 20 + line, lines, courier(8));
                             if (picture) {
                                 QImage photo(100, 120, QImage::Format_RGB32);
                                 photo.fill(Qt::gray);
                                 band.image(QRectF(5000, 20, 1000, 1200), photo);
                             }
                         } });
    }
    void filler(double height)
    {
        print({ height, [](BandPainter& band) { band.text(0, 0, QStringLiteral("Relleno"), courier(8)); } });
    }

protected:
    double pageHeader(BandPainter& band) override { return header(band, { QStringLiteral("Memorias") }); }
    double pageFooterHeight() const override { return 300; }
    void pageFooter(BandPainter& band, int) override
    {
        band.text(3000, 100, QString::fromLatin1(kPagePlaceholder), courier(8));
    }
    std::optional<Band> groupFooter() override
    {
        const QString total = QStringLiteral("Total: %1").arg(detailsPrinted());
        return Band { lineHeight(courier(8)),
            [total](BandPainter& band) { band.text(0, 0, total, courier(8)); } };
    }
    void printDetail(const data::Record&) override { }
};

struct Printed {
    std::vector<QStringList> pages;
    // The memo words of every page, in the order the pages' text gives them.
    QStringList words() const
    {
        static const QRegularExpression word(QStringLiteral("w\\d{4}"));
        QStringList all;
        for (const QStringList& page : pages)
            for (const QString& line : page)
                for (const auto& match : word.globalMatch(line))
                    all << match.captured();
        return all;
    }
};

Printed printed(std::vector<views::ReportPage> pages)
{
    numberPages(pages);
    Printed text;
    for (const views::ReportPage& page : pages) {
        QStringList lines;
        for (const QString& line : pageTextLines(page.records()))
            lines << line.simplified();
        text.pages.push_back(lines);
    }
    return text;
}

TEST(LongBands, EveryLineIsPrintedOnceInOrderUnderEveryPagesHeader)
{
    // The column widths in thousandths of an inch: a narrow column makes a short memo tall.
    const struct {
        const char* what;
        double before; // the height of a band printed first
        int characters;
        double column;
        int pages;
    } cases[] = {
        { "fits in the room left", 2000, 1000, 6000, 1 },
        { "taller than the room left, within a page", 6000, 1000, 2000, 2 },
        { "taller than a page, after a first band", 2000, 2000, 1000, 3 },
        { "taller than a page, on a page of its own", 0, 2000, 1000, 3 },
        { "many pages long", 0, 12000, 6000, 3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoPages layout;
        if (c.before > 0)
            layout.filler(c.before);
        const QStringList words = memoWords(c.characters);
        layout.memo(words, c.column);
        layout.memo(memoWords(40), 6000);
        const Printed text = printed(layout.closePages());
        ASSERT_EQ(int(text.pages.size()), c.pages);
        EXPECT_EQ(text.words(), words + memoWords(40));
        for (std::size_t n = 0; n < text.pages.size(); ++n) {
            SCOPED_TRACE(n + 1);
            const QStringList& page = text.pages[n];
            ASSERT_GE(page.size(), 3);
            EXPECT_EQ(page.first(), QStringLiteral("MEMORIAS"));
            EXPECT_EQ(page.last(), QStringLiteral("Page %1 of %2").arg(n + 1).arg(text.pages.size()));
            // The group footer follows the last band, once.
            EXPECT_EQ(page.contains(QStringLiteral("Total: 2")), n + 1 == text.pages.size());
        }
        // The band's label is printed once, on its first page.
        int labels = 0;
        for (const QStringList& page : text.pages)
            for (const QString& line : page)
                labels += int(line.startsWith(QStringLiteral("Notas:")));
        EXPECT_EQ(labels, 2);
    }
}

TEST(LongBands, NothingIsDrawnPastThePagesBody)
{
    MemoPages layout;
    layout.filler(3000);
    layout.memo(memoWords(3000), 1000, true);
    const std::vector<views::ReportPage> pages = layout.closePages();
    ASSERT_GE(pages.size(), 3u);
    for (const views::ReportPage& page : pages) {
        // Every text stands above the footer's place, the footer's own below it.
        QImage image(850, 1100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page.draw(painter, QRectF(image.rect()));
        painter.end();
        // The body ends at 10,200 thousandths of an inch, the footer's text starts at 10,300.
        for (int y = 1021; y < 1028; ++y)
            for (int x = 0; x < image.width(); ++x)
                EXPECT_GT(qGray(image.pixel(x, y)), 128) << x << "," << y;
    }
    // The picture beside the band's first lines is printed once, whole, on the first page.
    const std::size_t header = pages[1].pictures().size();
    EXPECT_EQ(pages[0].pictures().size(), header + 1);
    for (std::size_t n = 1; n < pages.size(); ++n)
        EXPECT_EQ(pages[n].pictures().size(), header);
}

} // namespace
} // namespace nidora::reports
