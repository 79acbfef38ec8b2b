#include "controls/TaskPanel.h"
#include "controls/TaskPanelLayout.h"
#include "controls/TaskPanelPainter.h"
#include "framework/Colour.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace nidora::controls {
namespace {

constexpr int panelWidth = 200;
constexpr int viewHeight = 300;

// Close enough to a stored colour: gradients and smoothing may be a step or two off.
bool near(QRgb pixel, quint32 stored, int tolerance = 4)
{
    const QColor want = colour::toQColor(stored);
    return std::abs(qRed(pixel) - want.red()) <= tolerance
        && std::abs(qGreen(pixel) - want.green()) <= tolerance
        && std::abs(qBlue(pixel) - want.blue()) <= tolerance;
}

::testing::AssertionResult pixelIs(const QImage& image, QPoint at, quint32 stored)
{
    const QRgb pixel = image.pixel(at);
    if (near(pixel, stored))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel at " << at.x() << "," << at.y() << " is " << std::hex
                                         << pixel << ", wanted about " << colour::toQColor(stored).rgb();
}

// Pixels in an area that are close to a colour, and the furthest right of them.
struct Ink {
    int count = 0;
    int rightmost = -1;
};

Ink inkOf(const QImage& image, const QRect& area, quint32 stored)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(image.pixel(x, y), stored, 40)) {
                ++ink.count;
                ink.rightmost = std::max(ink.rightmost, x);
            }
    return ink;
}

// One header with two tasks of the same title, laid out and painted in a view 300 high.
class TaskPanelPaintTest : public testing::Test {
protected:
    TaskPanel panel;
    qint32 header = 0;
    qint32 first = 0;
    qint32 second = 0;
    TaskPanelLayout layout;

    void SetUp() override
    {
        panel.SetFont("Liberation Sans");
        header = panel.AddHeader("Clínica", "", 0, true, false, 16, false);
        first = panel.AddTask("Consultas", "", "", 0, false, false);
        second = panel.AddTask("Consultas", "", "", 0, false, false);
    }

    QImage paint()
    {
        layout = layOutTaskPanel(panel, panelWidth);
        panel.setMouseAreas(layout);
        QImage image(panelWidth, viewHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        paintTaskPanel(painter, panel, layout, viewHeight);
        return image;
    }
    const ColourSchema& colours() const { return panel.colours(); }
    QRect textRect(int row) const { return layout.groups[0].rows[row].textRect; }
};

TEST_F(TaskPanelPaintTest, BackgroundRunsFromTopToBottomColour)
{
    const QImage image = paint();
    EXPECT_TRUE(pixelIs(image, { 0, 0 }, colours().PANEL.GRADIENTFROM));
    EXPECT_TRUE(pixelIs(image, { panelWidth - 1, viewHeight - 1 }, colours().PANEL.GRADIENTTO));
}

TEST_F(TaskPanelPaintTest, HeaderBandRunsFromLeftToRightColourWithRoundedTopCorners)
{
    panel.SetHeaderAlwaysExpanded(header, false, true, false); // no glyph over the band's right end
    const QImage image = paint();
    const MouseRect band = panel.header(header)->MOUSERECT;
    const int middle = band.TOP + 12;
    EXPECT_TRUE(pixelIs(image, { band.LEFT, middle }, colours().HEADERS.GRADIENTFROM));
    EXPECT_TRUE(pixelIs(image, { band.RIGHT - 2, middle }, colours().HEADERS.GRADIENTTO));
    // The corner keeps the background; its neighbour one step in along the diagonal is band.
    EXPECT_TRUE(pixelIs(image, { band.LEFT, band.TOP }, colours().PANEL.GRADIENTFROM));
    EXPECT_TRUE(pixelIs(image, { band.LEFT + 1, band.TOP + 1 }, colours().HEADERS.GRADIENTFROM));
    // Rows have the tasks' background inside white frame lines.
    const TaskRowLayout& row = layout.groups[0].rows[0];
    EXPECT_TRUE(pixelIs(image, { band.LEFT, row.top + 2 }, 0xFFFFFF));
    EXPECT_TRUE(pixelIs(image, { band.RIGHT - 4, row.top + 2 }, colours().TASKS.BACKGROUND));
}

TEST_F(TaskPanelPaintTest, HoveredHeaderTitleTakesTheHoveredColour)
{
    QImage image = paint();
    // Only over the band: the strip below it is the tasks' light background.
    QRect title = layout.groups[0].titleRect;
    title.setHeight(headerBandHeight);
    EXPECT_GT(inkOf(image, title, colours().HEADERS.TEXT).count, 0);
    EXPECT_EQ(inkOf(image, title, colours().HEADERS.HOVERED).count, 0);

    const MouseRect band = panel.header(header)->MOUSERECT;
    ASSERT_TRUE(panel.trackHover({ band.LEFT + 20, band.TOP + 10 }));
    image = paint();
    EXPECT_GT(inkOf(image, title, colours().HEADERS.HOVERED).count, 0);
    EXPECT_EQ(inkOf(image, title, colours().HEADERS.TEXT).count, 0);
}

TEST_F(TaskPanelPaintTest, HoveredTaskIsUnderlined)
{
    const quint32 text = colours().TASKS.TEXT;
    QImage image = paint();
    const int plain = inkOf(image, textRect(0), text).count;
    EXPECT_EQ(inkOf(image, textRect(1), text).count, plain); // the same title, drawn the same
    const MouseRect area = panel.task(header, first)->MOUSERECT;
    ASSERT_TRUE(panel.trackHover({ area.LEFT + 30, area.TOP + 5 }));
    image = paint();
    EXPECT_GT(inkOf(image, textRect(0), text).count, plain);
    EXPECT_EQ(inkOf(image, textRect(1), text).count, plain);
}

// The faces the owners name are substituted, and their thin weight reads as regular: the
// plain task text carries about the ink of the same title set in regular text, not the
// little of an extra-light face.
TEST_F(TaskPanelPaintTest, PlainTaskTextHasTheWeightOfRegularText)
{
    const quint32 text = colours().TASKS.TEXT;
    for (const char* face : { "MS Sans Serif", "Tahoma" }) {
        panel.SetFont(face);
        const QImage image = paint();
        const QRect area = textRect(0);

        QImage regular(image.size(), QImage::Format_RGB32);
        regular.fill(colour::toQColor(colours().TASKS.BACKGROUND));
        QPainter painter(&regular);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(13);
        painter.setFont(font);
        painter.setPen(colour::toQColor(text));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Consultas"));
        painter.end();

        const int drawn = inkOf(image, area, text).count;
        const int wanted = inkOf(regular, area, text).count;
        ASSERT_GT(wanted, 0);
        EXPECT_NEAR(drawn, wanted, wanted / 10) << face;
    }
}

TEST_F(TaskPanelPaintTest, BoldTaskIsDrawnWiderAndDarker)
{
    panel.SetTaskBold(header, first, true, false, false);
    const QImage image = paint();
    const quint32 text = colours().TASKS.TEXT;
    const Ink bold = inkOf(image, textRect(0), text);
    const Ink plain = inkOf(image, textRect(1), text);
    ASSERT_GT(plain.count, 0);
    EXPECT_GT(bold.rightmost, plain.rightmost);
    EXPECT_GT(bold.count, plain.count);
}

TEST_F(TaskPanelPaintTest, DisabledTaskTakesTheDisabledColour)
{
    panel.SetColors(TaskColours, 0xF9E7E0, 0, 0, 0xBC3139, 0, 0x808080, false);
    panel.task(header, first)->ISDISABLED = true;
    const QImage image = paint();
    EXPECT_EQ(inkOf(image, textRect(0), colours().TASKS.TEXT).count, 0);
    EXPECT_GT(inkOf(image, textRect(0), 0x808080).count, 0);
    EXPECT_GT(inkOf(image, textRect(1), colours().TASKS.TEXT).count, 0);
}

} // namespace
} // namespace nidora::controls
