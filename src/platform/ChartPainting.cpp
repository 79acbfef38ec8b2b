#include "platform/ChartPainting.h"

#include "core/TextClip.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nidora::platform::chart {

namespace {

constexpr int kGap = 4;
constexpr int kSwatch = 10;

QColor colourOf(quint32 stored)
{
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}

// Font sizes are the chart's points at the screen's 96 dots an inch, in the program's font, so
// a chart keeps its proportions in a file, on paper and on the window alike.
QFont chartFont(int points, bool bold = false)
{
    QFont font;
    font.setPixelSize(std::max(1, points * 4 / 3));
    font.setBold(bold);
    return font;
}

int lineHeight(int points, bool bold = false)
{
    return QFontMetrics(chartFont(points, bold)).height();
}

// The widest number an axis labels, and the room it takes beside the plot.
int numbersWidth()
{
    return QFontMetrics(chartFont(8)).horizontalAdvance(QStringLiteral("0000.00"));
}

// The round number at or above value: 1, 2, 2.5 or 5 times a power of ten.
double roundUp(double value)
{
    if (value <= 0)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : { 1.0, 2.0, 2.5, 5.0, 10.0 })
        if (value <= step * power * (1 + 1e-9))
            return step * power;
    return 10 * power;
}

QString tickText(double value, int decimals)
{
    return QString::number(value, 'f', std::clamp(decimals, 0, 6));
}

Qt::PenStyle penStyle(int style)
{
    switch (style) {
    case 68:
        return Qt::DashLine;
    case 70:
        return Qt::DotLine;
    default:
        return Qt::SolidLine;
    }
}

// What a legend entry shows of its series: the entries name the series in the order they came,
// a line series by a piece of its line with its mark, a bar or a slice by a square of its
// colour.
struct EntrySample {
    QColor colour;
    const LineSeries* line = nullptr;
};

EntrySample entrySample(const Content& content, int entry)
{
    const auto index = std::size_t(entry);
    if (!content.pies.empty()) {
        const auto& palette = content.pies.front().palette;
        return { palette.empty() ? QColor(Qt::gray) : colourOf(palette[index % palette.size()]) };
    }
    if (index < content.lines.size())
        return { colourOf(content.lines[index].colour), &content.lines[index] };
    if (index < content.bars.size())
        return { colourOf(content.bars[index].colour) };
    return { QColor(Qt::gray) };
}

// A line's sample is as long as two squares and a gap.
constexpr int kLineSample = 2 * kSwatch + kGap;

QStringList legendEntries(const Content& content)
{
    QStringList entries;
    for (const Legend& legend : content.legends)
        for (const QString& entry : splitList(legend.entries))
            entries << clipped(entry);
    return entries;
}

bool legendAtRight(const Content& content)
{
    return !content.legends.empty() && content.legends.front().alignment == 4;
}

int legendFontSize(const Content& content)
{
    // A legend that names no size of its own takes the axes' size.
    const int size = content.legends.empty() ? 0 : content.legends.front().fontSize;
    return size > 0 ? size : 8;
}

double ratioOf(double value, const Scale& scale)
{
    return (value - scale.min) / (scale.max - scale.min);
}

} // namespace

double Scale::tick(int index) const
{
    return min + (max - min) * index / std::max(1, ticks - 1);
}

Scale axisScale(const Axis* axis, const std::vector<double>& values)
{
    Scale scale;
    if (axis) {
        scale.min = axis->min;
        scale.max = axis->max;
        scale.ticks = axis->ticks;
    } else {
        scale.min = scale.max = 0;
        scale.ticks = 11;
    }
    if (!std::isfinite(scale.min) || !std::isfinite(scale.max))
        scale.min = scale.max = 0;
    if (scale.min == 0 && scale.max == 0) {
        double low = 0;
        double high = 0;
        for (const double value : values)
            if (std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
        scale.min = low < 0 ? -roundUp(-low) : 0;
        scale.max = roundUp(high);
    }
    if (scale.min > scale.max)
        std::swap(scale.min, scale.max);
    if (scale.max - scale.min < 1e-12)
        scale.max = scale.min + 1;
    scale.ticks = std::clamp(scale.ticks, 2, 1000);
    return scale;
}

View lineView(const Content& content, const std::optional<View>& zoomed)
{
    if (zoomed)
        return *zoomed;
    std::vector<double> xs;
    std::vector<double> ys;
    for (const LineSeries& series : content.lines) {
        xs.insert(xs.end(), series.x.begin(), series.x.end());
        ys.insert(ys.end(), series.y.begin(), series.y.end());
    }
    return { axisScale(content.axis(Axis::Kind::X), xs), axisScale(content.axis(Axis::Kind::Y), ys) };
}

namespace {

// A text box's font: the size its format starts with ("10C"), 10 points when it names none.
QFont textBoxFont(const TextBox& box)
{
    int points = 0;
    for (const QChar c : box.format) {
        if (!c.isDigit())
            break;
        points = points * 10 + c.digitValue();
    }
    return chartFont(points > 0 ? points : 10);
}

bool overlapsAny(const QRect& rect, const std::vector<QRect>& taken)
{
    return std::any_of(
        taken.begin(), taken.end(), [&](const QRect& other) { return rect.intersects(other); });
}

// The text boxes, each at its place in the chart's own units scaled to the size drawn, kept
// within the region and moved down below whatever it would lie over.
std::vector<QRect> placeTextBoxes(
    const Content& content, QSize size, const QRect& region, std::vector<QRect> taken)
{
    std::vector<QRect> placed;
    const QSize own = content.frame && !content.frame->place.isEmpty() ? content.frame->place.size() : size;
    for (const TextBox& box : content.texts) {
        const QString text = clipped(box.text);
        if (text.isEmpty()) {
            placed.emplace_back();
            continue;
        }
        const QFontMetrics metrics(textBoxFont(box));
        const int width = std::min(metrics.horizontalAdvance(text) + 4 * kGap, region.width());
        QRect rect(0, 0, width, metrics.height() + kGap);
        const int x = int(std::lround(double(box.x) * size.width() / own.width()));
        const int y = int(std::lround(double(box.y) * size.height() / own.height()));
        rect.moveTo(std::clamp(x, region.left(), std::max(region.left(), region.right() - width + 1)),
            std::max(y, region.top()));
        while (overlapsAny(rect, taken)) {
            int lowest = rect.top();
            for (const QRect& other : taken)
                if (rect.intersects(other))
                    lowest = std::max(lowest, other.bottom() + kGap);
            rect.moveTop(lowest);
        }
        taken.push_back(rect);
        placed.push_back(rect);
    }
    return placed;
}

// The legend's entries laid out in rows across `width` (at the right: one a row), each entry
// its sample, a gap and its text; the rectangle of each, from (0, 0).
std::vector<QRect> legendCells(const Content& content, int width)
{
    std::vector<QRect> cells;
    const QStringList entries = legendEntries(content);
    const QFontMetrics metrics(chartFont(legendFontSize(content)));
    const bool atRight = legendAtRight(content);
    const int height = metrics.height();
    int x = kGap;
    int y = kGap;
    for (int i = 0; i < entries.size(); ++i) {
        const int sample = entrySample(content, i).line ? kLineSample : kSwatch;
        const int cell = sample + kGap + metrics.horizontalAdvance(entries[i]);
        if (!atRight && x > kGap && x + cell > width - kGap) {
            x = kGap;
            y += height + kGap;
        }
        cells.emplace_back(x, y, cell, height);
        if (atRight)
            y += height + kGap;
        else
            x += cell + 3 * kGap;
    }
    return cells;
}

int legendHeight(const std::vector<QRect>& cells)
{
    return cells.empty() ? 0 : cells.back().bottom() + 1 + kGap;
}

} // namespace

Layout layOut(const Content& content, QSize size)
{
    Layout layout;
    const Region region = content.region.value_or(Region {});
    const int right = region.right <= 0 ? size.width() + region.right : region.right;
    const int bottom = region.bottom <= 0 ? size.height() + region.bottom : region.bottom;
    layout.region = QRect(QPoint(region.left, region.top), QPoint(right - 1, bottom - 1));
    layout.texts.resize(content.texts.size());
    if (!layout.region.isValid())
        return layout;

    QRect rest = layout.region;
    std::vector<QRect> heading;
    if (content.caption && !clipped(content.caption->text).isEmpty()) {
        const QFontMetrics metrics(chartFont(content.caption->fontSize, true));
        const int width
            = std::min(metrics.horizontalAdvance(clipped(content.caption->text)) + 2 * kGap, rest.width());
        layout.caption
            = QRect(rest.left() + (rest.width() - width) / 2, rest.top(), width, metrics.height() + kGap);
        heading.push_back(layout.caption);
    }
    layout.texts = placeTextBoxes(content, size, layout.region, heading);
    for (const QRect& text : layout.texts)
        if (!text.isEmpty())
            heading.push_back(text);
    for (const QRect& above : heading)
        rest.setTop(std::max(rest.top(), above.bottom() + kGap + 1));
    if (!clipped(content.region.value_or(Region {}).footer).isEmpty()) {
        const int height = lineHeight(8) + kGap;
        layout.footer = QRect(rest.left(), rest.bottom() - height + 1, rest.width(), height);
        rest.setBottom(layout.footer.top() - 1);
    }
    if (!legendEntries(content).isEmpty()) {
        if (legendAtRight(content)) {
            int widest = 0;
            for (const QRect& cell : legendCells(content, rest.width()))
                widest = std::max(widest, cell.right() + 1);
            const int width = std::min(widest + 2 * kGap, rest.width() / 2);
            layout.legend = QRect(rest.right() - width + 1, rest.top(), width, rest.height());
            rest.setRight(layout.legend.left() - kGap - 1);
        } else {
            const int height = std::min(legendHeight(legendCells(content, rest.width())), rest.height() / 3);
            layout.legend = QRect(rest.left(), rest.bottom() - height + 1, rest.width(), height);
            rest.setBottom(layout.legend.top() - 1);
        }
    }
    layout.plot = rest;
    if (!content.pies.empty())
        return layout;

    // Room for the numbers and titles of the axes.
    const int label = lineHeight(8);
    const QString below = clipped(content.axis(Axis::Kind::X) ? content.axis(Axis::Kind::X)->title
            : content.labelAxis                               ? content.labelAxis->title
                                                              : QString());
    const Axis* side = content.axis(
        content.lines.empty() && content.axis(Axis::Kind::Data) ? Axis::Kind::Data : Axis::Kind::Y);
    const QString beside = side ? clipped(side->title) : QString();
    layout.plot.adjust(numbersWidth() + kGap + (beside.isEmpty() ? 0 : label + kGap), kGap + label / 2,
        -(kGap + label), -(label + kGap + (below.isEmpty() ? 0 : label + kGap)));
    if (!layout.plot.isValid() || layout.plot.width() < 2 || layout.plot.height() < 2) {
        layout.plot = QRect();
        return layout;
    }
    const QFontMetrics metrics(chartFont(8));
    if (!below.isEmpty()) {
        const int width = std::min(metrics.horizontalAdvance(below), layout.plot.width());
        layout.xTitle = QRect(layout.plot.left() + (layout.plot.width() - width) / 2,
            layout.plot.bottom() + label + 2 * kGap, width, label);
    }
    if (!beside.isEmpty()) {
        // Upright, reading upwards, its baseline a gap left of the widest number.
        const int height = std::min(metrics.horizontalAdvance(beside), layout.plot.height());
        const int baseline = layout.plot.left() - numbersWidth() - 2 * kGap;
        layout.yTitle = QRect(baseline - metrics.ascent(), layout.plot.center().y() - height / 2,
            metrics.ascent() + metrics.descent(), height);
    }
    return layout;
}

namespace {

void paintCaption(QPainter& painter, const Content& content, const Layout& layout)
{
    if (!content.caption || layout.caption.isEmpty())
        return;
    const Caption& caption = *content.caption;
    if (caption.background != 0)
        painter.fillRect(layout.caption, colourOf(caption.background));
    painter.setFont(chartFont(caption.fontSize, caption.bold));
    painter.setPen(colourOf(caption.textColour));
    painter.drawText(layout.caption, Qt::AlignCenter | Qt::TextSingleLine, clipped(caption.text));
}

void paintFooter(QPainter& painter, const Content& content, const Layout& layout)
{
    if (layout.footer.isEmpty())
        return;
    painter.setFont(chartFont(8));
    painter.setPen(Qt::black);
    painter.drawText(layout.footer, Qt::AlignCenter, clipped(content.region->footer));
}

void paintEntrySample(QPainter& painter, const EntrySample& sample, const QRect& cell, int textHeight)
{
    const int middle = cell.top() + textHeight / 2;
    if (!sample.line) {
        const QRect swatch(cell.left(), cell.top() + (textHeight - kSwatch) / 2, kSwatch, kSwatch);
        painter.fillRect(swatch, sample.colour);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(swatch);
        return;
    }
    const LineSeries& line = *sample.line;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(sample.colour, std::clamp(line.style == 71 ? 1 : line.width, 1, 8),
        penStyle(line.style), Qt::FlatCap));
    painter.drawLine(cell.left(), middle, cell.left() + kLineSample, middle);
    if (line.mark != 0) {
        painter.setPen(QPen(sample.colour.darker(130), 1));
        painter.setBrush(sample.colour);
        painter.drawEllipse(QPointF(cell.left() + kLineSample / 2.0, middle), 3.5, 3.5);
    }
    painter.restore();
}

void paintLegend(QPainter& painter, const Content& content, const Layout& layout)
{
    const QStringList entries = legendEntries(content);
    if (entries.isEmpty() || layout.legend.isEmpty())
        return;
    painter.setFont(chartFont(legendFontSize(content)));
    const QFontMetrics metrics(painter.font());
    const std::vector<QRect> cells = legendCells(content, layout.legend.width());
    for (int i = 0; i < entries.size(); ++i) {
        const QRect cell = cells[std::size_t(i)].translated(layout.legend.topLeft());
        // What does not fit in the legend's room is left out rather than drawn over the rest.
        if (cell.bottom() > layout.legend.bottom())
            break;
        const EntrySample sample = entrySample(content, i);
        paintEntrySample(painter, sample, cell, metrics.height());
        painter.setPen(Qt::black);
        const int textLeft = cell.left() + (sample.line ? kLineSample : kSwatch) + kGap;
        painter.drawText(QPoint(textLeft, cell.top() + metrics.ascent()), entries[i]);
    }
}

void paintGrid(
    QPainter& painter, const Content& content, const QRect& plot, const Scale* across, const Scale& up)
{
    painter.fillRect(plot, colourOf(content.grid ? content.grid->background : 0xFFFFFF));
    if (!content.grid)
        return;
    painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 1));
    for (int i = 0; i < up.ticks; ++i) {
        const int y = plot.bottom() - int(std::lround(ratioOf(up.tick(i), up) * plot.height()));
        painter.drawLine(plot.left(), y, plot.right(), y);
    }
    if (across)
        for (int i = 0; i < across->ticks; ++i) {
            const int x = plot.left() + int(std::lround(ratioOf(across->tick(i), *across) * plot.width()));
            painter.drawLine(x, plot.top(), x, plot.bottom());
        }
}

void paintVerticalAxis(QPainter& painter, const Axis* axis, const QRect& plot, const Scale& scale)
{
    const int decimals = axis ? axis->decimals : 0;
    painter.setPen(QPen(colourOf(axis ? axis->lineColour : 0), 1));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setFont(chartFont(axis ? axis->fontSize : 8));
    const QFontMetrics metrics(painter.font());
    painter.setPen(colourOf(axis ? axis->textColour : 0));
    for (int i = 0; i < scale.ticks; ++i) {
        const int y = plot.bottom() - int(std::lround(ratioOf(scale.tick(i), scale) * plot.height()));
        const QString text = tickText(scale.tick(i), decimals);
        painter.drawLine(plot.left() - 3, y, plot.left(), y);
        painter.drawText(
            plot.left() - kGap - metrics.horizontalAdvance(text), y + metrics.ascent() / 2, text);
    }
}

// The vertical axis's title, upright in its room.
void paintTitleBeside(QPainter& painter, const Axis* axis, const QRect& room)
{
    if (!axis || room.isEmpty())
        return;
    painter.save();
    painter.setFont(chartFont(8));
    painter.setPen(colourOf(axis->textColour));
    painter.translate(room.left(), room.bottom());
    painter.rotate(-90);
    painter.drawText(
        QRect(0, 0, room.height(), room.width()), Qt::AlignCenter | Qt::TextSingleLine, clipped(axis->title));
    painter.restore();
}

void paintTitleBelow(QPainter& painter, const QString& title, const QRect& room)
{
    if (room.isEmpty())
        return;
    painter.setFont(chartFont(8));
    painter.setPen(Qt::black);
    painter.drawText(room, Qt::AlignCenter | Qt::TextSingleLine, clipped(title));
}

void paintHorizontalAxis(QPainter& painter, const Axis* axis, const QRect& plot, const Scale& scale)
{
    painter.setPen(QPen(colourOf(axis ? axis->lineColour : 0), 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.setFont(chartFont(axis ? axis->fontSize : 8));
    const QFontMetrics metrics(painter.font());
    painter.setPen(colourOf(axis ? axis->textColour : 0));
    for (int i = 0; i < scale.ticks; ++i) {
        const int x = plot.left() + int(std::lround(ratioOf(scale.tick(i), scale) * plot.width()));
        const QString text = tickText(scale.tick(i), axis ? axis->decimals : 0);
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + 3);
        painter.drawText(
            x - metrics.horizontalAdvance(text) / 2, plot.bottom() + kGap + metrics.ascent(), text);
    }
}

void paintLines(QPainter& painter, const Content& content, const QRect& plot, const View& view)
{
    painter.save();
    painter.setClipRect(plot.adjusted(-3, -3, 3, 3));
    painter.setRenderHint(QPainter::Antialiasing);
    const auto at = [&](double x, double y) {
        return QPointF(plot.left() + ratioOf(x, view.x) * plot.width(),
            plot.bottom() - ratioOf(y, view.y) * plot.height());
    };
    for (const LineSeries& series : content.lines) {
        const std::size_t count = std::min(series.x.size(), series.y.size());
        QPainterPath path;
        std::vector<QPointF> points;
        bool joined = false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(series.x[i]) || !std::isfinite(series.y[i])) {
                joined = false;
                continue;
            }
            const QPointF point = at(series.x[i], series.y[i]);
            points.push_back(point);
            if (joined)
                path.lineTo(point);
            else
                path.moveTo(point);
            joined = true;
        }
        const QColor colour = colourOf(series.colour);
        const int width = std::clamp(series.style == 71 ? 1 : series.width, 1, 8);
        painter.setPen(QPen(colour, width, penStyle(series.style), Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        if (series.mark != 0) {
            painter.setPen(QPen(colour.darker(130), 1));
            painter.setBrush(colour);
            for (const QPointF& point : points)
                painter.drawEllipse(point, 3.5, 3.5);
        }
    }
    painter.restore();
}

void paintLineChart(
    QPainter& painter, const Content& content, const Layout& layout, const std::optional<View>& zoomed)
{
    const View view = lineView(content, zoomed);
    paintGrid(painter, content, layout.plot, &view.x, view.y);
    paintVerticalAxis(painter, content.axis(Axis::Kind::Y), layout.plot, view.y);
    paintTitleBeside(painter, content.axis(Axis::Kind::Y), layout.yTitle);
    paintHorizontalAxis(painter, content.axis(Axis::Kind::X), layout.plot, view.x);
    if (const Axis* x = content.axis(Axis::Kind::X))
        paintTitleBelow(painter, x->title, layout.xTitle);
    paintLines(painter, content, layout.plot, view);
}

void paintBarChart(QPainter& painter, const Content& content, const Layout& layout)
{
    const QRect& plot = layout.plot;
    std::vector<double> values;
    for (const BarSeries& series : content.bars)
        values.insert(values.end(), series.values.begin(), series.values.end());
    const Axis* axis = content.axis(Axis::Kind::Data);
    const Scale scale = axisScale(axis, values);
    paintGrid(painter, content, plot, nullptr, scale);
    paintVerticalAxis(painter, axis, plot, scale);
    paintTitleBeside(painter, axis, layout.yTitle);
    if (content.labelAxis)
        paintTitleBelow(painter, content.labelAxis->title, layout.xTitle);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    std::size_t places = 0;
    for (const BarSeries& series : content.bars)
        places = std::max(places, series.values.size());
    const QStringList labels = content.labelAxis ? splitList(content.labelAxis->labels) : QStringList {};
    if (places == 0)
        return;
    const double slot = double(plot.width()) / double(places);
    const double zeroY = plot.bottom() - std::clamp(ratioOf(0, scale), 0.0, 1.0) * plot.height();
    const int seriesCount = int(content.bars.size());
    painter.setFont(chartFont(content.labelAxis ? content.labelAxis->fontSize : 8));
    const QFontMetrics metrics(painter.font());
    for (std::size_t i = 0; i < places; ++i) {
        const double left = plot.left() + slot * double(i) + slot * 0.15;
        const double width = slot * 0.7 / seriesCount;
        for (int s = 0; s < seriesCount; ++s) {
            const BarSeries& series = content.bars[std::size_t(s)];
            if (i >= series.values.size() || !std::isfinite(series.values[i]))
                continue;
            const double top
                = plot.bottom() - std::clamp(ratioOf(series.values[i], scale), 0.0, 1.0) * plot.height();
            const QRectF bar(QPointF(left + width * s, std::min(top, zeroY)),
                QPointF(left + width * (s + 1), std::max(top, zeroY)));
            painter.fillRect(bar, colourOf(series.colour));
            painter.setPen(QPen(colourOf(series.colour).darker(140), 1));
            painter.drawRect(bar);
        }
        if (int(i) < labels.size()) {
            const QString label = clipped(labels[int(i)]);
            painter.setPen(Qt::black);
            painter.drawText(
                QPointF(plot.left() + slot * (double(i) + 0.5) - metrics.horizontalAdvance(label) / 2.0,
                    plot.bottom() + kGap + metrics.ascent()),
                label);
        }
    }
}

void paintPieChart(QPainter& painter, const Content& content, const Layout& layout)
{
    const int side = std::min(layout.plot.width(), layout.plot.height()) - 2 * kGap;
    if (side < 4)
        return;
    const QRectF circle(
        layout.plot.center().x() - side / 2.0, layout.plot.center().y() - side / 2.0, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const PieSeries& pie = content.pies.front();
    double total = 0;
    for (const double value : pie.values)
        if (std::isfinite(value) && value > 0)
            total += value;
    painter.setPen(QPen(Qt::white, 1));
    if (total <= 0) {
        // Nothing to share out: the circle alone says so.
        painter.setPen(QPen(Qt::gray, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle);
        painter.restore();
        return;
    }
    painter.setFont(chartFont(8, true));
    int start = 90 * 16;
    double done = 0;
    for (std::size_t i = 0; i < pie.values.size(); ++i) {
        const double value = pie.values[i];
        if (!std::isfinite(value) || value <= 0)
            continue;
        // Each slice ends where the running total does, so the slices close the circle.
        done += value;
        const int end = 90 * 16 - int(std::lround(done / total * 360 * 16));
        const QColor colour
            = pie.palette.empty() ? QColor(Qt::gray) : colourOf(pie.palette[i % pie.palette.size()]);
        painter.setBrush(colour);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawPie(circle, start, end - start);
        const double middle = (start + end) / 2.0 / 16.0 * std::numbers::pi / 180.0;
        const QPointF label(circle.center().x() + std::cos(middle) * side * 0.32,
            circle.center().y() - std::sin(middle) * side * 0.32);
        const QString percent = QStringLiteral("%1%").arg(std::lround(value / total * 100));
        const QFontMetrics metrics(painter.font());
        if (std::abs(end - start) > 12 * 16) {
            painter.setPen(Qt::black);
            painter.drawText(
                label - QPointF(metrics.horizontalAdvance(percent) / 2.0, -metrics.ascent() / 2.0), percent);
        }
        start = end;
    }
    painter.restore();
}

void paintTextBoxes(QPainter& painter, const Content& content, const Layout& layout)
{
    for (std::size_t i = 0; i < content.texts.size() && i < layout.texts.size(); ++i) {
        const TextBox& box = content.texts[i];
        const QRect& rect = layout.texts[i];
        if (rect.isEmpty())
            continue;
        painter.setFont(textBoxFont(box));
        painter.fillRect(rect, colourOf(box.background));
        painter.setPen(QPen(colourOf(box.border), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        const Qt::Alignment across
            = box.format.contains(QLatin1Char('C'), Qt::CaseInsensitive) ? Qt::AlignHCenter : Qt::AlignLeft;
        painter.drawText(rect, across | Qt::AlignVCenter | Qt::TextSingleLine, clipped(box.text));
    }
}

} // namespace

void paintChart(QPainter& painter, const Content& content, QSize size, const std::optional<View>& zoomed)
{
    if (size.width() <= 0 || size.height() <= 0)
        return;
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), size));
    painter.fillRect(
        QRect(QPoint(0, 0), size), colourOf(content.frame ? content.frame->background : 0xE3E3E3));
    const Layout layout = layOut(content, size);
    if (layout.region.isValid()) {
        paintCaption(painter, content, layout);
        if (!layout.plot.isEmpty()) {
            if (!content.pies.empty())
                paintPieChart(painter, content, layout);
            else if (!content.bars.empty() || content.labelAxis || content.axis(Axis::Kind::Data))
                paintBarChart(painter, content, layout);
            else if (!content.lines.empty() || content.axis(Axis::Kind::X) || content.axis(Axis::Kind::Y))
                paintLineChart(painter, content, layout, zoomed);
        }
        paintLegend(painter, content, layout);
        paintFooter(painter, content, layout);
        paintTextBoxes(painter, content, layout);
    }
    painter.restore();
}

} // namespace nidora::platform::chart
