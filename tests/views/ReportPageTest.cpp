#include "views/ReportPage.h"
#include "views/MetafileFormat.h"

#include "framework/FontSubstitution.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace nidora::views {
namespace {

struct Rec {
    std::uint16_t function;
    QByteArray params;
};

// The records of a page as another program would walk them.
std::vector<Rec> recordsOf(const QByteArray& file)
{
    std::vector<Rec> records;
    qsizetype at = wmf::kPlaceableHeaderBytes + 2 * wmf::u16(file, wmf::kHeaderSizeWords);
    while (at + 6 <= file.size()) {
        const qsizetype words = wmf::u32(file, at);
        if (words < 3 || at + 2 * words > file.size())
            break;
        records.push_back({ wmf::u16(file, at + 4), file.mid(at + 6, 2 * words - 6) });
        at += 2 * words;
    }
    return records;
}

std::vector<Rec> ofFunction(const QByteArray& file, std::uint16_t function)
{
    std::vector<Rec> found;
    for (const Rec& r : recordsOf(file))
        if (r.function == function)
            found.push_back(r);
    return found;
}

QString textOf(const Rec& ext)
{
    return QString::fromLatin1(ext.params.mid(8, wmf::s16(ext.params, 4)));
}

QImage rendered(const ReportPage& page, double scale)
{
    QImage image(int(page.size().width() * scale), int(page.size().height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.draw(painter, QRectF(image.rect()));
    return image;
}

bool darkIn(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

TEST(ReportPage, IsAPlaceableMetafileInThousandthsOfAnInch)
{
    const struct {
        ReportPage page;
        int width, height;
    } cases[] = { { ReportPage::portrait(), 8500, 11000 }, { ReportPage::landscape(), 11000, 8500 },
        { ReportPage(), 8500, 11000 } };
    for (const auto& c : cases) {
        const QByteArray& file = c.page.metafile();
        EXPECT_EQ(wmf::u32(file, 0), wmf::kPlaceableKey);
        EXPECT_EQ(wmf::u16(file, wmf::kBoundsRight) - wmf::u16(file, wmf::kBoundsLeft), c.width);
        EXPECT_EQ(wmf::u16(file, wmf::kBoundsBottom) - wmf::u16(file, wmf::kBoundsTop), c.height);
        EXPECT_EQ(wmf::u16(file, wmf::kInchField), 1000);
        std::uint16_t checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= wmf::u16(file, 2 * i);
        EXPECT_EQ(wmf::u16(file, wmf::kChecksum), checksum);
        EXPECT_EQ(c.page.width(), c.width);
        EXPECT_EQ(c.page.height(), c.height);
        EXPECT_EQ(c.page.logicalDpiX(), 1000);
        EXPECT_EQ(c.page.isLandscape(), c.width > c.height);
    }
}

TEST(ReportPage, RecordsTextWithItsPositionAndFont)
{
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.setFont(QFont("Courier New", 9, QFont::Bold));
        painter.drawText(QPointF(500, 1200), QString::fromUtf8("Diagnóstico:"));
        painter.setFont(QFont("Arial", 10));
        painter.drawText(QPointF(2000, 1200), QString::fromUtf8("Ω"));
    }
    const QByteArray& file = page.metafile();
    const auto texts = ofFunction(file, wmf::ExtTextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(wmf::s16(texts[0].params, 0), 1200); // y
    EXPECT_EQ(wmf::s16(texts[0].params, 2), 500); // x
    EXPECT_EQ(texts[0].params.mid(8, 12), QByteArray("Diagn\xF3stico:"));
    // A character the page's code page cannot hold stands as '?'.
    EXPECT_EQ(textOf(texts[1]), "?");

    const auto fonts = ofFunction(file, wmf::CreateFontIndirect);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(wmf::s16(fonts[0].params, 0), -125); // 9 points in thousandths of an inch
    EXPECT_EQ(wmf::s16(fonts[0].params, 8), 700);
    EXPECT_EQ(fonts[0].params.mid(18).left(12), QByteArray("Courier New\0", 12));
    EXPECT_EQ(wmf::s16(fonts[1].params, 0), -139);

    // The file's sizes agree with its records, and it ends with the end record.
    EXPECT_EQ(2 * qsizetype(wmf::u32(file, wmf::kFileSizeWords)) + wmf::kPlaceableHeaderBytes, file.size());
    EXPECT_EQ(file.right(6), QByteArray("\x03\0\0\0\0\0", 6));
    std::uint32_t largest = 0;
    for (const Rec& r : recordsOf(file))
        largest = std::max<std::uint32_t>(largest, std::uint32_t(r.params.size() + 6) / 2);
    EXPECT_EQ(wmf::u32(file, wmf::kMaxRecordWords), largest);
}

TEST(ReportPage, FontsMeasureInPageUnits)
{
    // A layout that wraps text in a box measures it on the page, so its line breaks hold
    // wherever the page is shown.
    ReportPage page = ReportPage::portrait();
    const QFontMetricsF metrics(QFont("Courier New", 9), &page);
    EXPECT_NEAR(metrics.horizontalAdvance("0123456789"), 10 * 0.6 * 125, 10 * 0.6 * 125 * 0.05);
}

TEST(ReportPage, ObjectsAreReusedWhileUnchangedAndAllDeletedAtTheEnd)
{
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.setFont(QFont("Courier New", 8));
        for (int row = 0; row < 20; ++row) {
            painter.drawText(QPointF(500, 1000 + 150 * row), "fila");
            painter.drawLine(QLineF(500, 1020 + 150 * row, 7500, 1020 + 150 * row));
        }
        painter.setPen(QPen(Qt::red, 20));
        painter.drawLine(QLineF(0, 0, 100, 100));
    }
    const QByteArray& file = page.metafile();
    EXPECT_EQ(ofFunction(file, wmf::CreateFontIndirect).size(), 1u);
    EXPECT_EQ(ofFunction(file, wmf::CreatePenIndirect).size(), 2u);
    const auto created = ofFunction(file, wmf::CreateFontIndirect).size()
        + ofFunction(file, wmf::CreatePenIndirect).size() + ofFunction(file, wmf::CreateBrushIndirect).size();
    EXPECT_EQ(ofFunction(file, wmf::DeleteObject).size(), created);
    EXPECT_LE(wmf::u16(file, wmf::kObjectCount), 3);
}

TEST(ReportPage, DrawsItselfAtAnyScale)
{
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRect(QRectF(1000, 1000, 2000, 1000));
        painter.setPen(QPen(Qt::black, 30));
        painter.drawLine(QLineF(1000, 5000, 7000, 5000));
        painter.drawImage(QRectF(5000, 8000, 1000, 1000), red);
        painter.setFont(QFont("Courier New", 24, QFont::Bold));
        painter.drawText(QRectF(1000, 9500, 6000, 1000), Qt::AlignLeft | Qt::AlignTop, "XXXXXXXX");
    }
    for (const double scale : { 0.05, 0.1, 0.2 }) {
        SCOPED_TRACE(scale);
        const QImage image = rendered(page, scale);
        const auto at = [&](double x, double y) { return image.pixel(int(x * scale), int(y * scale)); };
        EXPECT_EQ(at(2000, 1500), qRgb(0, 0, 0));
        EXPECT_EQ(at(4000, 1500), qRgb(255, 255, 255));
        EXPECT_EQ(at(500, 500), qRgb(255, 255, 255));
        EXPECT_LT(qGray(at(4000, 5000)), 128);
        EXPECT_EQ(at(5500, 8500), qRgb(255, 0, 0));
        EXPECT_TRUE(
            darkIn(image, QRect(int(1000 * scale), int(9500 * scale), int(3000 * scale), int(400 * scale))));
        EXPECT_FALSE(
            darkIn(image, QRect(int(1000 * scale), int(10600 * scale), int(3000 * scale), int(300 * scale))));
    }
}

TEST(ReportPage, ALaterPainterAddsToThePage)
{
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.drawText(QPointF(100, 200), "uno");
    }
    {
        QPainter painter(&page);
        painter.drawText(QPointF(100, 400), "dos");
    }
    const auto texts = ofFunction(page.metafile(), wmf::ExtTextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textOf(texts[0]), "uno");
    EXPECT_EQ(textOf(texts[1]), "dos");
    EXPECT_EQ(2 * qsizetype(wmf::u32(page.metafile(), wmf::kFileSizeWords)) + 22, page.metafile().size());
    EXPECT_EQ(recordsOf(page.metafile()).back().function, wmf::EndOfFile);
}

TEST(ReportPage, CopiesAndMovesKeepTheRecords)
{
    std::vector<ReportPage> pages;
    for (int n = 1; n <= 3; ++n) {
        ReportPage page = ReportPage::portrait();
        {
            QPainter painter(&page);
            painter.drawText(QPointF(100, 200), QString::number(n));
        }
        pages.push_back(std::move(page));
    }
    std::vector<ReportPage> copies = pages;
    pages.clear();
    ASSERT_EQ(copies.size(), 3u);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(textOf(ofFunction(copies[std::size_t(n - 1)].metafile(), wmf::ExtTextOut).at(0)),
            QString::number(n));

    // A copy painted on afterwards does not change the page it came from.
    ReportPage changed = copies[0];
    {
        QPainter painter(&changed);
        painter.drawText(QPointF(100, 400), "más");
    }
    EXPECT_EQ(ofFunction(copies[0].metafile(), wmf::ExtTextOut).size(), 1u);
    EXPECT_EQ(ofFunction(changed.metafile(), wmf::ExtTextOut).size(), 2u);
}

TEST(ReportPage, ReadsBackItsOwnBytesAndRefusesOthers)
{
    ReportPage page = ReportPage::landscape();
    {
        QPainter painter(&page);
        painter.setBrush(Qt::black);
        painter.drawRect(QRectF(100, 100, 1000, 1000));
    }
    const ReportPage back = ReportPage::fromMetafile(page.metafile());
    EXPECT_TRUE(back.isValid());
    EXPECT_TRUE(back.isLandscape());
    EXPECT_EQ(rendered(back, 0.05), rendered(page, 0.05));

    EXPECT_FALSE(ReportPage::fromMetafile("not a metafile").isValid());
    ReportPage kept = page;
    EXPECT_FALSE(kept.setMetafile(QByteArray(100, 'x')));
    EXPECT_EQ(kept.metafile(), page.metafile());
}

TEST(ReportPage, DamagedRecordsDrawWhatCameBefore)
{
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRect(QRectF(1000, 1000, 2000, 2000));
        painter.drawRect(QRectF(5000, 5000, 2000, 2000));
    }
    // The second box's record gets an impossible size: a size of 0 words, then one that runs
    // past the end of the file.
    QByteArray bytes = page.metafile();
    const qsizetype second = bytes.lastIndexOf(QByteArray("\x1B\x04", 2)) - 4;
    for (const std::uint32_t words : { 0u, 1u, 0x7FFFFFFFu }) {
        SCOPED_TRACE(words);
        QByteArray damaged = bytes;
        wmf::put32(damaged, second, words);
        ReportPage broken;
        ASSERT_TRUE(broken.setMetafile(damaged));
        const QImage image = rendered(broken, 0.05);
        EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(300, 300), qRgb(255, 255, 255));
    }
}

TEST(ReportPage, APictureIsHeldOnceForEveryPageAndEmbeddedWhenSaved)
{
    QImage bar(600, 40, QImage::Format_RGB32);
    bar.fill(QColor(40, 90, 150));
    std::vector<ReportPage> pages;
    for (int n = 0; n < 50; ++n) {
        ReportPage page = ReportPage::portrait();
        {
            QPainter painter(&page);
            painter.drawImage(QRectF(500, 500, 7000, 400), bar);
            painter.drawText(QPointF(500, 1200), QStringLiteral("Página %1").arg(n + 1));
        }
        pages.push_back(std::move(page));
    }
    for (const ReportPage& page : pages) {
        ASSERT_EQ(page.pictures().size(), 1u);
        EXPECT_EQ(page.pictures()[0].get(), pages[0].pictures()[0].get());
        // The page's own records refer to the picture and do not hold it.
        EXPECT_TRUE(ofFunction(page.records(), wmf::StretchDib).empty());
        EXPECT_LT(page.records().size(), 1024);
    }

    // The saved file is a whole metafile: the picture record in the reference's place, the
    // sizes of the header agreeing with it, and it reads back drawing the same.
    const QByteArray file = pages[7].metafile();
    const auto stretched = ofFunction(file, wmf::StretchDib);
    ASSERT_EQ(stretched.size(), 1u);
    EXPECT_EQ(wmf::s16(stretched[0].params, 16), 7000); // the width it is drawn at
    EXPECT_EQ(wmf::u32(stretched[0].params, 22), 40u); // the bitmap's header follows
    EXPECT_EQ(ofFunction(file, wmf::Escape).size(), 0u);
    EXPECT_EQ(2 * qsizetype(wmf::u32(file, wmf::kFileSizeWords)) + wmf::kPlaceableHeaderBytes, file.size());
    EXPECT_EQ(wmf::u32(file, wmf::kMaxRecordWords), std::uint32_t(stretched[0].params.size() + 6) / 2);
    const ReportPage back = ReportPage::fromMetafile(file);
    EXPECT_TRUE(back.pictures().empty());
    EXPECT_EQ(rendered(back, 0.05), rendered(pages[7], 0.05));
    EXPECT_EQ(rendered(pages[7], 0.05).pixel(200, 35), qRgb(40, 90, 150));

    // Another picture, or the same one at another size, is a bitmap of its own.
    QImage other = bar.copy();
    other.fill(Qt::red);
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.drawImage(QRectF(500, 500, 7000, 400), other);
        painter.drawImage(QRectF(500, 500, 100, 10), bar);
        painter.drawImage(QRectF(500, 3000, 7000, 400), bar);
    }
    ASSERT_EQ(page.pictures().size(), 3u);
    EXPECT_NE(page.pictures()[0].get(), pages[0].pictures()[0].get());
    EXPECT_NE(page.pictures()[1].get(), pages[0].pictures()[0].get());
    EXPECT_EQ(page.pictures()[2].get(), pages[0].pictures()[0].get());
    EXPECT_EQ(ofFunction(page.metafile(), wmf::StretchDib).size(), 3u);
}

TEST(ReportPage, NamesTheFaceTheLayoutGivesAndDrawsWithItsStandIn)
{
    ReportPage page = ReportPage::portrait();
    {
        QPainter painter(&page);
        painter.setFont(framework::describedPageFont(QStringLiteral("Courier New"), 9));
        painter.drawText(QPointF(500, 1200), QStringLiteral("MMMMMMMMMM"));
        painter.setFont(framework::describedPageFont(QStringLiteral("Arial"), 9));
        painter.drawText(QPointF(500, 2200), QStringLiteral("MMMMMMMMMM"));
    }
    const auto fonts = ofFunction(page.metafile(), wmf::CreateFontIndirect);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].params.mid(18).left(12), QByteArray("Courier New\0", 12));
    EXPECT_EQ(fonts[1].params.mid(18).left(6), QByteArray("Arial\0", 6));

    // On screen the page is drawn with the stand-ins, which keep the named faces' widths: ten
    // capitals of the fixed face end at six tenths of the size each.
    const QImage image = rendered(page, 0.1);
    const auto lastDark = [&](int y0, int y1) {
        int last = -1;
        for (int y = y0; y <= y1; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    last = std::max(last, x);
        return last;
    };
    EXPECT_NEAR(lastDark(100, 125), (500 + 10 * 0.6 * 125) * 0.1, 5);
}

} // namespace
} // namespace nidora::views
