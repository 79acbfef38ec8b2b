#include "clinical/ChartDrawings.h"

#include "core/TextClip.h"
#include "data/AccessObject.h"

#include <cmath>
#include <limits>

namespace nidora::clinical {

namespace {

using namespace platform::chart;

// Texts go to the chart layer as they stand, trailing spaces and all, up to 199 characters;
// the label lists of the bars and the pie up to 499.
constexpr int kHandedText = 199;
constexpr int kHandedLabels = 499;

QString handed(const QString& text)
{
    return text.left(kHandedText);
}

// A label without its trailing blanks and its "*": a blank one leaves an empty entry, which
// keeps its place in the list ("Niños*Niñas**").
QString listEntry(const QString& label)
{
    return clipped(label) + QLatin1Char('*');
}

// An x as a bar's label: the statistics store whole months and years.
QString numberLabel(double x)
{
    if (std::isfinite(x) && x == std::floor(x) && std::abs(x) < 1e15)
        return QString::number(static_cast<qint64>(x));
    return QString::number(x, 'g', 10);
}

// The values and labels of series 1, for the bars and the pie.
struct FirstSeries {
    std::vector<double> values;
    QString labels;
};

template <class Label> FirstSeries firstSeries(const std::vector<data::GRAFICO>& points, Label label)
{
    FirstSeries series;
    for (const data::GRAFICO& point : points) {
        if (point.SERIE != 1)
            continue;
        series.values.push_back(point.Y);
        series.labels += label(point);
    }
    series.labels.truncate(kHandedLabels);
    return series;
}

void beginChart(platform::Chart& chart, QWidget* window, const ChartPlace& at, quint32 background,
    const Region& region, const QString& caption)
{
    chart.create(
        window, Frame { .place = at.place, .background = background, .style = 3, .shown = at.shown });
    chart.addRegion(region);
    chart.addCaption(
        Caption { .text = handed(caption), .background = 0, .textColour = 0, .fontSize = 10, .bold = true });
}

// The title box at the top right of the line and bar charts.
TextBox titleBox(const QString& text, const QRect& place)
{
    return TextBox { .text = handed(text),
        .x = place.width() - 200,
        .y = 5,
        .style = 4,
        .background = 0xD2FAFA,
        .border = 0xFFFFFF,
        .format = QStringLiteral("10C") };
}

// How an axis's line and numbers look.
struct AxisLook {
    quint32 lineColour;
    int lineStyle;
    int decimals;
};

Axis numberAxis(Axis::Kind kind, int alignment, double min, double max, int ticks, const AxisLook& look,
    const QString& title)
{
    return Axis { .kind = kind,
        .alignment = alignment,
        .min = min,
        .max = max,
        .ticks = ticks,
        .fontSize = 8,
        .textColour = 0,
        .lineColour = look.lineColour,
        .lineStyle = look.lineStyle,
        .decimals = look.decimals,
        .title = handed(title) };
}

} // namespace

std::vector<data::GRAFICO> chartPoints(data::AccessObject& points)
{
    std::vector<data::GRAFICO> read;
    data::DataFile* file = points.file();
    if (!file)
        return read;
    file->page(&points.key("GRA:KSERIE"), {}, data::Direction::Forward, std::numeric_limits<int>::max(),
        [&read](const data::RecordRef&, const data::Record& record) {
            read.push_back(static_cast<const data::GRAFICO&>(record));
        });
    return read;
}

const std::vector<quint32>& piePalette()
{
    static const std::vector<quint32> colours { 0xFF901E, 0x32CD32, 0x3366FF, 0x00FFFF, 0x9933CC, 0xC1B6FF,
        0x8B8B00, 0x008CFF, 0x908070, 0x3C14DC, 0x32CD9A, 0xCD0000, 0xDEC4B0, 0x003366, 0x006400 };
    return colours;
}

void drawLineChart(platform::Chart& chart, QWidget* window, const ChartPlace& at,
    const std::vector<data::GRAFICO>& points, ChartParameters& parameters)
{
    beginChart(chart, window, at, parameters.XYChartBackColor, Region { 5, 8, -8, -5, {} },
        parameters.ChartImageName);
    chart.addGrid(Grid { 0xFFFFFF });
    chart.addText(titleBox(parameters.XYChartTitle, at.place));
    chart.addAxis(numberAxis(Axis::Kind::X, 12, parameters.XYChartXMin, parameters.XYChartXMax,
        parameters.XYChartXTicks, { 0xFF0000, 1, 0 }, parameters.XYChartXTitle));
    chart.addAxis(numberAxis(Axis::Kind::Y, 9, parameters.XYChartYMin, parameters.XYChartYMax,
        parameters.XYChartYTicks, { 0, 0, 2 }, parameters.XYChartYTitle));

    // Every point of a series is drawn, however many there are (a curve of the 6-18-year
    // charts has one a month: 145).
    QString names;
    for (std::uint8_t series = 1; series <= 8; ++series) {
        LineSeries line;
        bool first = true;
        for (const data::GRAFICO& point : points) {
            if (point.SERIE != series)
                continue;
            if (first && !clipped(point.NSERIE).isEmpty())
                names = clipped(names) + clipped(point.NSERIE) + QLatin1Char('*');
            first = false;
            line.x.push_back(point.X);
            line.y.push_back(point.Y);
        }
        if (line.x.empty())
            continue;
        const std::size_t index = series - 1u;
        line.colour = parameters.ChartColors[index];
        line.style = parameters.XYChartSeriesStyle[index];
        line.width = 2;
        line.mark = parameters.XYChartSeriesMark[index];
        line.xAxis = 12;
        line.yAxis = 9;
        chart.addLineSeries(line);
    }
    parameters.ChartSeriesText = fitted(names, 250);
    chart.addLegend(Legend { .entries = handed(parameters.ChartSeriesText), .alignment = 1, .fontSize = 8 });
    chart.setZoom(Zoom { .mode = 2, .colour = 0xFF0000 });
    chart.draw();
}

void drawBarChart(platform::Chart& chart, QWidget* window, const ChartPlace& at,
    const std::vector<data::GRAFICO>& points, const ChartParameters& parameters)
{
    beginChart(chart, window, at, 0xE3E3E3, Region { 5, 8, -8, -5, {} }, parameters.ChartTitle);
    const FirstSeries bars = firstSeries(
        points, [](const data::GRAFICO& point) { return numberLabel(point.X) + QLatin1Char('*'); });
    chart.addGrid(Grid { 0xFFFFFF });
    chart.addText(titleBox(parameters.ChartSubtitle, at.place));
    // From 0 to 0: the range is the values'.
    chart.addAxis(numberAxis(Axis::Kind::Data, 1, 0, 0, 11, { 0, 0, 2 }, parameters.ChartYTitle));
    chart.addLabelAxis(LabelAxis { .labels = bars.labels,
        .count = int(bars.values.size()),
        .fontSize = 8,
        .title = handed(parameters.ChartXTitle) });
    chart.addLegend(Legend { .entries = handed(parameters.ChartSeriesText), .alignment = 1, .fontSize = 8 });
    chart.addBarSeries(
        BarSeries { .values = bars.values, .type = 2, .style = 7, .colour = parameters.ChartColors[0] });
    chart.draw();
}

void drawPieChart(platform::Chart& chart, QWidget* window, const ChartPlace& at,
    const std::vector<data::GRAFICO>& points, const ChartParameters& parameters)
{
    beginChart(chart, window, at, 0xE3E3E3, Region { 5, 5, -5, -5, {} }, parameters.ChartTitle);
    const FirstSeries slices
        = firstSeries(points, [](const data::GRAFICO& point) { return listEntry(point.REFERENCIA); });
    chart.addPieSeries(PieSeries { .values = slices.values, .palette = piePalette(), .style = 57 });
    chart.addLegend(Legend { .entries = slices.labels, .alignment = 4, .fontSize = 0 });
    chart.addText(TextBox { .text = handed(parameters.ChartSubtitle),
        .x = 30,
        .y = 40,
        .style = 4,
        .background = 0xB9DAFF,
        .border = 0xFFFFFF,
        .format = QStringLiteral("10C") });
    chart.draw();
}

} // namespace nidora::clinical
