#pragma once

#include "platform/ChartContent.h"

#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

class QPainter;

// How the chart layer draws a chart's content: on the window, into a JPEG file, on the printer,
// the same way at whatever size it is given. Degenerate content draws safely: no series, all
// values 0, an empty or reversed range, fewer than two ticks, a size too small for the drawing.
namespace nidora::platform::chart {

// The range an axis is drawn over and how many values it labels (both ends included).
struct Scale {
    double min = 0;
    double max = 1;
    int ticks = 2;

    double tick(int index) const;
};

// An axis's scale: its own range, or for a range of 0 to 0 one that takes in every value (from
// 0 when none is below it, up to a round number); always a range wider than nothing, with at
// least two ticks. Values that are not finite are left out.
Scale axisScale(const Axis* axis, const std::vector<double>& values);

// The part of a line chart a zoom shows: its X and Y ranges.
struct View {
    Scale x;
    Scale y;
};

// Where the pieces of a chart go within a chart of that size; the plot is where series are
// drawn (empty when the chart is too small to hold one). The caption, the text boxes, the axis
// titles and the legend are each the room their text takes, and none of them lies over
// another or over the plot: a text box placed over the caption or over another box goes down
// below it, and the plot starts below them all. A piece with nothing to show has an empty
// rectangle.
struct Layout {
    QRect region;
    QRect caption;
    std::vector<QRect> texts; // one per text box of the content, in order
    QRect plot;
    QRect xTitle; // under the horizontal axis (lines' X, bars' labels)
    QRect yTitle; // upright beside the vertical axis
    QRect legend;
    QRect footer;
};
Layout layOut(const Content& content, QSize size);

// The scales a line chart is drawn with; a view, when given, in place of its axes' own.
View lineView(const Content& content, const std::optional<View>& zoomed = std::nullopt);

// Draws the whole chart into (0, 0)-(size) of the painter.
void paintChart(
    QPainter& painter, const Content& content, QSize size, const std::optional<View>& zoomed = std::nullopt);

} // namespace nidora::platform::chart
