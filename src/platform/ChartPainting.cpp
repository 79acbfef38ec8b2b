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

// A series' legend colour: the legend's entries name the series in the order they came.
QColor entryColour(const Content& content, int entry)
{
    const auto index = std::size_t(entry);
    if (!content.pies.empty()) {
        const auto& palette = content.pies.front().palette;
        return palette.empty() ? QColor(Qt::gray) : colourOf(palette[index % palette.size()]);
    }
    if (index < content.lines.size())
        return colourOf(content.lines[index].colour);
    if (index < content.bars.size())
        return colourOf(content.bars[index].colour);
    return QColor(Qt::gray);
}

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

Layout layOut(const Content& content, QSize size)
{
    Layout layout;
    const Region region = content.region.value_or(Region {});
    const int right = region.right <= 0 ? size.width() + region.right : region.right;
    const int bottom = region.bottom <= 0 ? size.height() + region.bottom : region.bottom;
    layout.region = QRect(QPoint(region.left, region.top), QPoint(right - 1, bottom - 1));
    if (!layout.region.isValid())
        return layout;

    QRect rest = layout.region;
    if (content.caption && !clipped(content.caption->text).isEmpty()) {
        layout.caption = QRect(
            rest.left(), rest.top(), rest.width(), lineHeight(content.caption->fontSize, true) + kGap);
        rest.setTop(layout.caption.bottom() + 1);
    }
    if (!clipped(content.region.value_or(Region {}).footer).isEmpty()) {
        const int height = lineHeight(8) + kGap;
        layout.footer = QRect(rest.left(), rest.bottom() - height + 1, rest.width(), height);
        rest.setBottom(layout.footer.top() - 1);
    }
    const QStringList entries = legendEntries(content);
    if (!entries.isEmpty()) {
        const QFontMetrics metrics(chartFont(legendFontSize(content)));
        if (legendAtRight(content)) {
            int widest = 0;
            for (const QString& entry : entries)
                widest = std::max(widest, metrics.horizontalAdvance(entry));
            const int width = std::min(widest + kSwatch + 3 * kGap, rest.width() / 2);
            layout.legend = QRect(rest.right() - width + 1, rest.top(), width, rest.height());
            rest.setRight(layout.legend.left() - 1);
        } else {
            const int height = metrics.height() + 2 * kGap;
            layout.legend = QRect(rest.left(), rest.bottom() - height + 1, rest.width(), height);
            rest.setBottom(layout.legend.top() - 1);
        }
    }
    layout.plot = rest;
    if (!content.pies.empty())
        return layout;

    // Room for the numbers and titles of the axes.
    const int label = lineHeight(8);
    const bool hasTitleBelow
        = (content.axis(Axis::Kind::X) && !clipped(content.axis(Axis::Kind::X)->title).isEmpty())
        || (content.labelAxis && !clipped(content.labelAxis->title).isEmpty());
    const Axis* side = content.axis(
        content.lines.empty() && content.axis(Axis::Kind::Data) ? Axis::Kind::Data : Axis::Kind::Y);
    const bool hasTitleBeside = side && !clipped(side->title).isEmpty();
    layout.plot.adjust(numbersWidth() + kGap + (hasTitleBeside ? label + kGap : 0), kGap + label / 2,
        -(kGap + label), -(label + kGap + (hasTitleBelow ? label + kGap : 0)));
    if (!layout.plot.isValid() || layout.plot.width() < 2 || layout.plot.height() < 2)
        layout.plot = QRect();
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
    painter.drawText(layout.caption, Qt::AlignCenter, clipped(caption.text));
}

void paintFooter(QPainter& painter, const Content& content, const Layout& layout)
{
    if (layout.footer.isEmpty())
        return;
    painter.setFont(chartFont(8));
    painter.setPen(Qt::black);
    painter.drawText(layout.footer, Qt::AlignCenter, clipped(content.region->footer));
}

void paintLegend(QPainter& painter, const Content& content, const Layout& layout)
{
    const QStringList entries = legendEntries(content);
    if (entries.isEmpty() || layout.legend.isEmpty())
        return;
    painter.setFont(chartFont(legendFontSize(content)));
    const QFontMetrics metrics(painter.font());
    const bool atRight = legendAtRight(content);
    int x = layout.legend.left() + kGap;
    int y = layout.legend.top() + kGap;
    for (int i = 0; i < entries.size(); ++i) {
        const int width = kSwatch + kGap + metrics.horizontalAdvance(entries[i]);
        if (!atRight && x + width > layout.legend.right() && x > layout.legend.left() + kGap)
            break; // what does not fit in the one line is left out rather than drawn over
        if (atRight && y + metrics.height() > layout.legend.bottom())
            break;
        const QRect swatch(x, y + (metrics.height() - kSwatch) / 2, kSwatch, kSwatch);
        painter.fillRect(swatch, entryColour(content, i));
        painter.setPen(Qt::black);
        painter.drawRect(swatch);
        painter.drawText(QPoint(x + kSwatch + kGap, y + metrics.ascent()), entries[i]);
        if (atRight)
            y += metrics.height() + kGap;
        else
            x += width + 3 * kGap;
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
    if (axis && !clipped(axis->title).isEmpty()) {
        painter.save();
        painter.translate(plot.left() - numbersWidth() - 2 * kGap, plot.center().y());
        painter.rotate(-90);
        const QString title = clipped(axis->title);
        painter.drawText(-metrics.horizontalAdvance(title) / 2, 0, title);
        painter.restore();
    }
}

void paintTitleBelow(QPainter& painter, const QString& title, const QRect& plot, int fontSize)
{
    if (clipped(title).isEmpty())
        return;
    painter.setFont(chartFont(fontSize));
    const QFontMetrics metrics(painter.font());
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(plot.left(), plot.bottom() + metrics.height() + 2 * kGap, plot.width(), metrics.height()),
        Qt::AlignCenter, clipped(title));
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
    if (axis)
        paintTitleBelow(painter, axis->title, plot, axis->fontSize);
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
    paintHorizontalAxis(painter, content.axis(Axis::Kind::X), layout.plot, view.x);
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
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    std::size_t places = 0;
    for (const BarSeries& series : content.bars)
        places = std::max(places, series.values.size());
    const QStringList labels = content.labelAxis ? splitList(content.labelAxis->labels) : QStringList {};
    if (places == 0) {
        if (content.labelAxis)
            paintTitleBelow(painter, content.labelAxis->title, plot, content.labelAxis->fontSize);
        return;
    }
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
    if (content.labelAxis)
        paintTitleBelow(painter, content.labelAxis->title, plot, content.labelAxis->fontSize);
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

void paintTextBoxes(QPainter& painter, const Content& content, QSize size)
{
    for (const TextBox& box : content.texts) {
        const QString text = clipped(box.text);
        if (text.isEmpty())
            continue;
        bool sized = false;
        int points = 0;
        for (const QChar c : box.format) {
            if (!c.isDigit())
                break;
            points = points * 10 + c.digitValue();
            sized = true;
        }
        painter.setFont(chartFont(sized && points > 0 ? points : 10));
        const QFontMetrics metrics(painter.font());
        QRect rect(0, 0, metrics.horizontalAdvance(text) + 4 * kGap, metrics.height() + kGap);
        // Placed in the chart's own units, wherever it is drawn at another size; kept within the
        // chart however small it is, as a box placed from the right edge would leave it.
        const QSize own
            = content.frame && !content.frame->place.isEmpty() ? content.frame->place.size() : size;
        const int x = int(std::lround(double(box.x) * size.width() / own.width()));
        const int y = int(std::lround(double(box.y) * size.height() / own.height()));
        rect.moveTo(std::clamp(x, 0, std::max(0, size.width() - rect.width())),
            std::clamp(y, 0, std::max(0, size.height() - rect.height())));
        painter.fillRect(rect, colourOf(box.background));
        painter.setPen(QPen(colourOf(box.border), 1));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(rect,
            box.format.contains(QLatin1Char('C'), Qt::CaseInsensitive) ? Qt::AlignCenter
                                                                       : (Qt::AlignLeft | Qt::AlignVCenter),
            text);
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
    }
    paintTextBoxes(painter, content, size);
    painter.restore();
}

} // namespace nidora::platform::chart
