#include "reports/PageText.h"

#include "views/MetafileFormat.h"
#include "views/ReportPage.h"

#include <QBuffer>
#include <QPainter>

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace nidora::reports {
namespace {

namespace wmf = views::wmf;

struct Placed {
    double x, y;
    QString text;
};

// A page drawn as a layout draws it, with texts at their baselines.
QByteArray drawnPage(std::initializer_list<Placed> texts, bool landscape = false)
{
    views::ReportPage page = landscape ? views::ReportPage::landscape() : views::ReportPage::portrait();
    QPainter painter(&page);
    painter.setFont(QFont("Courier New", 9));
    for (const Placed& t : texts)
        painter.drawText(QPointF(t.x, t.y), t.text);
    painter.drawLine(QLineF(0, 5000, 8500, 5000));
    painter.drawRect(QRectF(100, 100, 1000, 1000));
    painter.end();
    return page.metafile();
}

// A metafile put together record by record, for what no painter would write.
class HandMade {
public:
    HandMade(int width, int height)
        : bytes_(wmf::blankFile(width, height))
    {
        bytes_.chop(6);
    }
    HandMade& text(int x, int y, const QByteArray& chars, bool clipped = false, int count = -1)
    {
        wmf::Record r(wmf::ExtTextOut);
        r.addS16(y)
            .addS16(x)
            .addS16(count < 0 ? int(chars.size()) : count)
            .add16(clipped ? wmf::kTextClipped : 0);
        if (clipped)
            r.addS16(0).addS16(0).addS16(100).addS16(100);
        r.addBytes(chars);
        return raw(r.bytes());
    }
    HandMade& raw(const QByteArray& record)
    {
        bytes_.append(record);
        return *this;
    }
    // The end record, and the size the header gives: the records' own, or another.
    QByteArray finished(qsizetype sizeWords = -1)
    {
        bytes_.append(wmf::Record(wmf::EndOfFile).bytes());
        wmf::put32(bytes_, wmf::kFileSizeWords,
            std::uint32_t(sizeWords >= 0 ? sizeWords : (bytes_.size() - wmf::kPlaceableHeaderBytes) / 2));
        return bytes_;
    }

private:
    QByteArray bytes_;
};

QString at(int column, const QString& text)
{
    return QString(column - 1, QLatin1Char(' ')) + text;
}

TEST(PageText, PlacesTextsOnTheGridByTheirPositions)
{
    // A portrait page is 8500 wide and 11000 high: a column is 42.5 units, a line 73.3.
    const QStringList lines = pageTextLines(drawnPage({
        { 0, 0, "Arriba" },
        { 4250, 5500, QString::fromUtf8("Diagnóstico") },
        { 4250 + 42.5 * 20, 5500, "y  " },
        { 0, 11000, "Abajo" },
    }));
    ASSERT_EQ(lines.size(), 3);
    // Row and column are at least 1.
    EXPECT_EQ(lines[0], "Arriba");
    // Both texts of line 75 share it; trailing blanks of a text are dropped.
    EXPECT_EQ(lines[1], at(100, QString::fromUtf8("Diagnóstico")) + QString(9, ' ') + "y");
    EXPECT_EQ(lines[2], "Abajo");
}

TEST(PageText, LeftAndRightEdgesShareALine)
{
    const QString right = "TOTAL";
    // Near the page's right edge: it ends at column 200.
    const QStringList lines
        = pageTextLines(drawnPage({ { 0, 3000, "Izquierda" }, { 8500 - 42.5 * 4, 3000, right } }));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].size(), 200);
    EXPECT_TRUE(lines[0].startsWith("Izquierda     "));
    EXPECT_TRUE(lines[0].endsWith(" TOTAL"));
}

TEST(PageText, LaterTextsOverwriteOnlyWhereTheyOverlap)
{
    const QStringList lines
        = pageTextLines(HandMade(200, 150).text(1, 10, "AAAAAAAAAA").text(4, 10, "bb").finished());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], "AAAbbAAAAA");
}

TEST(PageText, TextPastColumnTwoHundredIsLost)
{
    const QStringList lines = pageTextLines(HandMade(200, 150)
                                                .text(195, 10, "0123456789")
                                                .text(250, 20, "fuera")
                                                .text(10, 200, "debajo")
                                                .finished());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], at(195, "012345"));
}

TEST(PageText, BlankLinesAndPagesWithoutTextGiveNothing)
{
    EXPECT_TRUE(pageTextLines(drawnPage({})).isEmpty());
    EXPECT_TRUE(pageTextLines(drawnPage({ { 100, 2000, "   " } })).isEmpty());
    const QStringList lines = pageTextLines(drawnPage({ { 0, 1000, "uno" }, { 0, 9000, "dos" } }));
    EXPECT_EQ(lines, QStringList({ "uno", "dos" }));
}

TEST(PageText, ATextWithAClippingRectangleIsReadAfterIt)
{
    const QStringList lines = pageTextLines(HandMade(200, 150).text(1, 1, "recortado", true).finished());
    EXPECT_EQ(lines, QStringList({ "recortado" }));
}

TEST(PageText, DamagedFilesGiveWhatCameBefore)
{
    const QByteArray good
        = HandMade(200, 150).text(1, 1, "primera").text(1, 2, "segunda").text(1, 3, "tercera").finished();
    const qsizetype third = good.lastIndexOf("tercera") - 14;
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        { "sound", good, { "primera", "segunda", "tercera" } },
        { "size of no words",
            [&] {
                QByteArray b = good;
                wmf::put32(b, third, 0);
                return b;
            }(),
            { "primera", "segunda" } },
        { "size of two words",
            [&] {
                QByteArray b = good;
                wmf::put32(b, third, 2);
                return b;
            }(),
            { "primera", "segunda" } },
        { "record past the end",
            [&] {
                QByteArray b = good;
                wmf::put32(b, third, 0x10000);
                return b;
            }(),
            { "primera", "segunda" } },
        { "file cut short", good.left(third + 10), { "primera", "segunda" } },
        { "header larger than the file",
            [&] {
                QByteArray b = good;
                wmf::put32(b, wmf::kFileSizeWords, 0xFFFFFFF);
                return b;
            }(),
            { "primera", "segunda", "tercera" } },
        { "count beyond the record",
            HandMade(200, 150).text(1, 1, "corto", false, 150).text(1, 2, "luego").finished(),
            { "corto", "luego" } },
        { "no bytes", QByteArray(), {} },
        { "zero width", HandMade(0, 150).text(1, 1, "nada").finished(), {} },
        { "zero height", HandMade(200, 0).text(1, 1, "nada").finished(), {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pageTextLines(c.bytes), c.lines);
    }
}

TEST(PageText, TheLastTextBeforeTheEndRecordIsKept)
{
    // The header's size counts from the metafile header on, so the walk's end lies 22 bytes
    // further than twice that size.
    const QStringList lines
        = pageTextLines(HandMade(200, 150).text(1, 1, "uno").text(1, 2, "\xFAltima").finished());
    EXPECT_EQ(lines, QStringList({ "uno", QString::fromUtf8("última") }));
}

TEST(PageText, PagesFollowEachOtherInTheFile)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    ASSERT_TRUE(appendPageText(file, drawnPage({ { 0, 1000, QString::fromUtf8("Página uno") } })));
    ASSERT_TRUE(appendPageText(file, drawnPage({ { 0, 1000, "Pagina dos" }, { 0, 2000, "fin" } }, true)));
    EXPECT_EQ(QString::fromUtf8(file.data()), QString::fromUtf8("Página uno\nPagina dos\nfin\n"));
}

} // namespace
} // namespace nidora::reports
