// How the chart layer lays out and paints: scales that stay sound on any data, and the colours
// that come out where the series, bars and slices are.
#include "platform/ChartPainting.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>

namespace nidora::platform::chart {
namespace {

struct ScaleCase {
    const char* name;
    std::optional<Axis> axis;
    std::vector<double> values;
    double min;
    double max;
    int ticks;
};

Axis axisOf(double min, double max, int ticks)
{
    Axis axis;
    axis.min = min;
    axis.max = max;
    axis.ticks = ticks;
    return axis;
}

TEST(ChartScaleTest, EveryAxisGetsARangeWiderThanNothingAndAtLeastTwoTicks)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ScaleCase cases[] = {
        { "its own range", axisOf(0, 30, 7), { 45 }, 0, 30, 7 },
        { "from the values, up to a round number", axisOf(0, 0, 11), { 3, 7, 12 }, 0, 20, 11 },
        { "every value 0", axisOf(0, 0, 11), { 0, 0 }, 0, 1, 11 },
        { "no values", axisOf(0, 0, 11), {}, 0, 1, 11 },
        { "values below 0", axisOf(0, 0, 5), { -3, 8 }, -5, 10, 5 },
        { "a zero range", axisOf(5, 5, 3), {}, 5, 6, 3 },
        { "a reversed range", axisOf(10, 0, 3), {}, 0, 10, 3 },
        { "no ticks", axisOf(0, 6, 0), {}, 0, 6, 2 },
        { "one tick", axisOf(0, 6, 1), {}, 0, 6, 2 },
        { "values that are no numbers", axisOf(0, 0, 11), { nan, 4, std::numeric_limits<double>::infinity() },
            0, 5, 11 },
        { "no axis at all", std::nullopt, { 2.5 }, 0, 2.5, 11 },
    };
    for (const ScaleCase& each : cases) {
        SCOPED_TRACE(each.name);
        const Scale scale = axisScale(each.axis ? &*each.axis : nullptr, each.values);
        EXPECT_DOUBLE_EQ(scale.min, each.min);
        EXPECT_DOUBLE_EQ(scale.max, each.max);
        EXPECT_EQ(scale.ticks, each.ticks);
    }
    const Axis years = axisOf(0, 6, 7);
    const Scale ages = axisScale(&years, {});
    EXPECT_DOUBLE_EQ(ages.tick(0), 0);
    EXPECT_DOUBLE_EQ(ages.tick(3), 3);
    EXPECT_DOUBLE_EQ(ages.tick(6), 6);
}

Content lineChart(quint32 background = 0xFACE87)
{
    Content content;
    content.frame = Frame { QRect(4, 34, 682, 380), background, 3 };
    content.region = Region { 5, 8, -8, -5, {} };
    content.caption = Caption { QStringLiteral("PESO - Primer Año") };
    content.grid = Grid { 0xFFFFFF };
    Axis x = axisOf(0, 12, 13);
    x.kind = Axis::Kind::X;
    x.alignment = 12;
    x.title = QStringLiteral("Edad (meses)");
    Axis y = axisOf(0, 14, 15);
    y.kind = Axis::Kind::Y;
    y.alignment = 9;
    y.decimals = 2;
    y.title = QStringLiteral("Kilos");
    content.axes = { x, y };
    return content;
}

QColor colourOf(quint32 stored)
{
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}

QImage painted(const Content& content, QSize size, const std::optional<View>& zoomed = std::nullopt)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintChart(painter, content, size, zoomed);
    return image;
}

// Where a value of a line chart lands in its plot.
QPoint plotPoint(const Content& content, QSize size, double x, double y)
{
    const QRect plot = layOut(content, size).plot;
    const View view = lineView(content);
    return QPoint(plot.left() + int(std::lround((x - view.x.min) / (view.x.max - view.x.min) * plot.width())),
        plot.bottom() - int(std::lround((y - view.y.min) / (view.y.max - view.y.min) * plot.height())));
}

TEST(ChartPaintingTest, ALineChartShowsItsBackgroundItsGridAndItsSeriesInTheirColours)
{
    Content content = lineChart();
    LineSeries median;
    median.x = { 0, 6, 12 };
    median.y = { 3, 7.5, 10 };
    median.colour = 0x008000;
    median.style = 73;
    median.width = 4;
    content.lines.push_back(median);
    const QSize size(682, 380);
    const QImage image = painted(content, size);

    EXPECT_EQ(image.pixelColor(1, 1), colourOf(0xFACE87)) << "the chart's background, outside its region";
    const QRect plot = layOut(content, size).plot;
    ASSERT_FALSE(plot.isEmpty());
    EXPECT_TRUE(layOut(content, size).region.contains(plot));
    // Halfway between two grid lines, away from the series: the grid's white.
    EXPECT_EQ(image.pixelColor(plotPoint(content, size, 0.5, 13.5)), QColor(Qt::white));
    // On the series, between its points.
    const QPoint onLine = plotPoint(content, size, 3, 5.25);
    EXPECT_EQ(image.pixelColor(onLine), colourOf(0x008000));
}

TEST(ChartPaintingTest, BarsStandInTheirColourAndASliceOfAPieInItsPaletteColour)
{
    Content bars;
    bars.frame = Frame { QRect(0, 0, 400, 300), 0xE3E3E3, 3 };
    bars.region = Region { 5, 8, -8, -5, {} };
    bars.axes = { axisOf(0, 0, 11) };
    bars.labelAxis = LabelAxis { QStringLiteral("1*2*"), 2, 8, QStringLiteral("Mes") };
    bars.bars = { BarSeries { { 10, 20 }, 2, 7, 0x3366FF } };
    const QImage barImage = painted(bars, QSize(400, 300));
    const QRect plot = layOut(bars, QSize(400, 300)).plot;
    // The second bar reaches the top of its axis (0 to 20); the middle of its slot is filled.
    const QPoint inSecondBar(plot.left() + plot.width() * 3 / 4, plot.bottom() - plot.height() / 2);
    EXPECT_EQ(barImage.pixelColor(inSecondBar), colourOf(0x3366FF));

    Content pie;
    pie.frame = Frame { QRect(0, 0, 400, 300), 0xE3E3E3, 3 };
    pie.region = Region { 5, 5, -5, -5, {} };
    pie.pies = { PieSeries { { 3, 1 }, { 0xFF901E, 0x32CD32 }, 57 } };
    const QImage pieImage = painted(pie, QSize(400, 300));
    const QRect circle = layOut(pie, QSize(400, 300)).plot;
    // The first slice takes three quarters from the top clockwise round to the left: the
    // lower right quarter is its; the upper left is the second one's.
    const QPoint lowerRight = circle.center() + QPoint(circle.height() / 5, circle.height() / 5);
    const QPoint upperLeft = circle.center() + QPoint(-circle.height() / 5, -circle.height() / 5);
    EXPECT_EQ(pieImage.pixelColor(lowerRight), colourOf(0xFF901E));
    EXPECT_EQ(pieImage.pixelColor(upperLeft), colourOf(0x32CD32));
}

TEST(ChartPaintingTest, DegenerateChartsDrawWithoutFailing)
{
    Content empty;
    Content noSeries = lineChart();
    Content zeroBars;
    zeroBars.frame = Frame {};
    zeroBars.axes = { axisOf(0, 0, 11) };
    zeroBars.bars = { BarSeries { { 0, 0, 0 }, 2, 7, 0x3366FF } };
    zeroBars.labelAxis = LabelAxis { QStringLiteral("1*"), 3, 8, {} };
    Content zeroPie;
    zeroPie.pies = { PieSeries { { 0, 0 }, {}, 57 } };
    zeroPie.legends = { Legend { QStringLiteral("Niños*Niñas**"), 4, 0 } };
    Content flatLines = lineChart();
    flatLines.axes[0].min = flatLines.axes[0].max = 3;
    flatLines.axes[1].ticks = 1;
    flatLines.lines = { LineSeries {
        { 1, std::numeric_limits<double>::quiet_NaN(), 2 }, { 1, 2 }, 0x2222FB, 68, 2, 21 } };
    flatLines.texts
        = { TextBox { QStringLiteral("Pérez, Ana"), -300, 5, 4, 0xD2FAFA, 0xFFFFFF, QStringLiteral("10C") } };
    for (const Content* content : { &empty, &noSeries, &zeroBars, &zeroPie, &flatLines })
        for (const QSize size : { QSize(682, 380), QSize(40, 30), QSize(1, 1), QSize(0, 0), QSize(-5, 10) }) {
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
            const QImage image = painted(*content, size.isEmpty() ? QSize(2, 2) : size);
            EXPECT_FALSE(image.isNull());
        }
    EXPECT_TRUE(layOut(noSeries, QSize(40, 30)).plot.isEmpty()) << "too small to hold a plot";
}

TEST(ChartPaintingTest, AZoomedViewShowsTheValuesItCoversAcrossTheWholePlot)
{
    Content content = lineChart();
    content.lines = { LineSeries { { 0, 12 }, { 7, 7 }, 0x008000, 73, 4, 0 } };
    const QSize size(682, 380);
    const QRect plot = layOut(content, size).plot;
    const View zoomed { { 0, 12, 13 }, { 6, 8, 3 } };
    const QImage image = painted(content, size, zoomed);
    // y 7 is the middle of the zoomed range 6 to 8.
    EXPECT_EQ(image.pixelColor(plot.left() + plot.width() / 3, plot.center().y()), colourOf(0x008000));
    EXPECT_DOUBLE_EQ(lineView(content, zoomed).y.min, 6);
}

// The three charts as the viewers make them at a size: their texts as long as the callers
// make them, each text box where the viewer puts it.
Content viewerChart(const char* kind, QSize size)
{
    const TextBox box { QString(), size.width() - 200, 5, 4, 0xD2FAFA, 0xFFFFFF, QStringLiteral("10C") };
    Content content;
    if (QLatin1String(kind) == QLatin1String("lines")) {
        content = lineChart();
        content.caption->text = QStringLiteral("PERÍMETRO CEFÁLICO - Nacimiento 24 Meses");
        content.texts = { box };
        content.texts[0].text = QStringLiteral("Fernández Ruiz, María de los Ángeles");
        for (quint32 colour : { 0x505050u, 0x2222FBu, 0x00CCFFu, 0x008000u, 0x00CCFFu, 0x2222FBu, 0x505050u })
            content.lines.push_back(LineSeries { { 0, 12 }, { 3, 9 }, colour, 68, 2, 0 });
        content.lines.push_back(LineSeries { { 0, 4 }, { 3.2, 6.4 }, 0xFF901E, 71, 2, 21 });
        content.legends = { Legend { QStringLiteral("P3*P10*P25*P50*P75*P90*P97*Paciente*"), 1, 8 } };
    } else if (QLatin1String(kind) == QLatin1String("bars")) {
        content.region = Region { 5, 8, -8, -5, {} };
        content.caption = Caption { QStringLiteral("DISTRIBUCION MENSUAL DIAGNOSTICOS") };
        content.grid = Grid { 0xFFFFFF };
        content.texts = { box };
        content.texts[0].text = QStringLiteral("Bronquiolitis obstruct 2011");
        Axis data = axisOf(0, 0, 11);
        data.title = QStringLiteral("N° Casos");
        content.axes = { data };
        content.labelAxis
            = LabelAxis { QStringLiteral("1*2*3*4*5*6*7*8*9*10*11*12*"), 12, 8, QStringLiteral("Meses") };
        content.legends = { Legend { QStringLiteral("Casos mensuales*"), 1, 8 } };
        content.bars = { BarSeries { { 3, 9, 4, 0, 1, 7, 2, 5, 8, 6, 2, 1 }, 2, 7, 0x006400 } };
    } else {
        content.region = Region { 5, 5, -5, -5, {} };
        content.caption = Caption { QStringLiteral("DISTRIB. CONSULTAS POR EDADES") };
        content.pies = { PieSeries { { 12, 18, 9, 22 }, { 0xFF901E, 0x32CD32, 0x3366FF, 0x00FFFF }, 57 } };
        content.legends = { Legend {
            QStringLiteral("menores de  1 años* 1 a  5 años* 5 a 10 años*mayores de 10 años*"), 4, 0 } };
        content.texts = { box };
        content.texts[0] = TextBox { QStringLiteral("Control de niño sano y va 01/01/10-31/12/11"), 30, 40, 4,
            0xB9DAFF, 0xFFFFFF, QStringLiteral("10C") };
    }
    content.frame = Frame { QRect(QPoint(4, 34), size), 0xE3E3E3, 3 };
    return content;
}

TEST(ChartLayoutTest, TitlesTextsAxisTitlesAndLegendLieClearOfEachOtherAndOfThePlotAtEverySize)
{
    // The opening size, a larger window and a maximised one.
    for (const QSize size : { QSize(682, 380), QSize(900, 520), QSize(1800, 900) })
        for (const char* kind : { "lines", "bars", "pie" }) {
            SCOPED_TRACE(testing::Message() << kind << " " << size.width() << "x" << size.height());
            const Content content = viewerChart(kind, size);
            const Layout layout = layOut(content, size);
            std::vector<std::pair<const char*, QRect>> pieces { { "caption", layout.caption },
                { "plot", layout.plot }, { "legend", layout.legend } };
            for (const QRect& text : layout.texts)
                pieces.emplace_back("text box", text);
            if (QLatin1String(kind) != QLatin1String("pie")) {
                pieces.emplace_back("x title", layout.xTitle);
                pieces.emplace_back("y title", layout.yTitle);
            }
            for (std::size_t a = 0; a < pieces.size(); ++a) {
                EXPECT_FALSE(pieces[a].second.isEmpty()) << pieces[a].first;
                EXPECT_TRUE(layout.region.contains(pieces[a].second)) << pieces[a].first;
                for (std::size_t b = a + 1; b < pieces.size(); ++b)
                    EXPECT_FALSE(pieces[a].second.intersects(pieces[b].second))
                        << pieces[a].first << " and " << pieces[b].first;
            }
            // Every legend entry is shown: the bottom legend takes as many rows as it needs.
            const QImage image = painted(content, size);
            EXPECT_FALSE(image.isNull());
        }
}

// Whether some pixel of the rectangle has exactly that colour.
bool shows(const QImage& image, const QRect& rect, const QColor& colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

TEST(ChartLayoutTest, EveryLegendEntryShowsItsSeriesColour)
{
    for (const char* kind : { "lines", "bars", "pie" }) {
        SCOPED_TRACE(kind);
        const QSize size(682, 380);
        const Content content = viewerChart(kind, size);
        const Layout layout = layOut(content, size);
        const QImage image = painted(content, size);
        std::vector<quint32> colours;
        for (const LineSeries& line : content.lines)
            colours.push_back(line.colour);
        for (const BarSeries& bars : content.bars)
            colours.push_back(bars.colour);
        for (const PieSeries& pie : content.pies)
            colours.insert(colours.end(), pie.palette.begin(), pie.palette.end());
        ASSERT_FALSE(colours.empty());
        for (const quint32 colour : colours)
            EXPECT_TRUE(shows(image, layout.legend, colourOf(colour))) << std::hex << colour;
    }
    // The patient's series shows its mark: its colour fills more than a line's width.
    const QSize size(682, 380);
    Content patient = viewerChart("lines", size);
    patient.lines = { patient.lines.back() };
    patient.legends = { Legend { QStringLiteral("Paciente*"), 1, 8 } };
    const Layout layout = layOut(patient, size);
    const QImage image = painted(patient, size);
    int filled = 0;
    for (int y = layout.legend.top(); y <= layout.legend.bottom(); ++y)
        filled += shows(image, QRect(layout.legend.left(), y, layout.legend.width(), 1), colourOf(0xFF901E))
            ? 1
            : 0;
    EXPECT_GE(filled, 4) << "rows of the legend in the series' colour";
}

TEST(ChartListTest, EntriesAreSplitAtTheirStarsAndABlankEntryKeepsItsPlace)
{
    EXPECT_EQ(splitList(QStringLiteral("Niños*Niñas**")), (QStringList { "Niños", "Niñas", "" }));
    EXPECT_EQ(splitList(QStringLiteral("Niños**Niñas*")), (QStringList { "Niños", "", "Niñas" }));
    EXPECT_EQ(splitList(QStringLiteral("1*2*")), (QStringList { "1", "2" }));
    // A legend handed with the blanks of its field after the last entry has no blank entry.
    EXPECT_EQ(splitList(QStringLiteral("Casos mensuales*") + QString(183, QLatin1Char(' '))),
        (QStringList { "Casos mensuales" }));
    EXPECT_TRUE(splitList(QString(199, QLatin1Char(' '))).isEmpty());
    EXPECT_TRUE(splitList(QString()).isEmpty());
}

} // namespace
} // namespace nidora::platform::chart
