#include "platform/Chart.h"

namespace nidora::platform {

namespace chart {

QStringList splitList(const QString& list)
{
    QStringList entries = list.split(QLatin1Char('*'));
    // The last entry's "*" ends the list rather than starting an entry: what follows it is
    // the blanks that fill the text's field, or nothing.
    if (!entries.isEmpty() && entries.back().trimmed().isEmpty())
        entries.pop_back();
    return entries;
}

const Axis* Content::axis(Axis::Kind kind) const
{
    for (const Axis& each : axes)
        if (each.kind == kind)
            return &each;
    return nullptr;
}

} // namespace chart

void CollectingChart::create(QWidget* parent, const chart::Frame& frame)
{
    noted("create");
    content_ = {};
    content_.frame = frame;
    parent_ = parent;
}

void CollectingChart::addRegion(const chart::Region& region)
{
    noted("addRegion");
    content_.region = region;
}

void CollectingChart::addCaption(const chart::Caption& caption)
{
    noted("addCaption");
    content_.caption = caption;
}

void CollectingChart::addGrid(const chart::Grid& grid)
{
    noted("addGrid");
    content_.grid = grid;
}

void CollectingChart::addAxis(const chart::Axis& axis)
{
    noted("addAxis");
    content_.axes.push_back(axis);
}

void CollectingChart::addLabelAxis(const chart::LabelAxis& axis)
{
    noted("addLabelAxis");
    content_.labelAxis = axis;
}

void CollectingChart::addBarSeries(const chart::BarSeries& series)
{
    noted("addBarSeries");
    content_.bars.push_back(series);
}

void CollectingChart::addLineSeries(const chart::LineSeries& series)
{
    noted("addLineSeries");
    content_.lines.push_back(series);
}

void CollectingChart::addPieSeries(const chart::PieSeries& series)
{
    noted("addPieSeries");
    content_.pies.push_back(series);
}

void CollectingChart::addLegend(const chart::Legend& legend)
{
    noted("addLegend");
    content_.legends.push_back(legend);
}

void CollectingChart::addText(const chart::TextBox& text)
{
    noted("addText");
    content_.texts.push_back(text);
}

void CollectingChart::setZoom(const chart::Zoom& zoom)
{
    noted("setZoom");
    content_.zoom = zoom;
}

void CollectingChart::reset()
{
    noted("reset");
    content_ = {};
    parent_ = nullptr;
}

} // namespace nidora::platform
