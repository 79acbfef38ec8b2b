#pragma once

#include "clinical/ChartParameters.h"

#include "data/AccessObject.h"
#include "data/ScratchRecords.h"
#include "platform/Chart.h"

#include <QRect>

#include <vector>

class QWidget;

// How each chart viewer makes its chart from the points of GRAFICO and its thread's chart
// parameters: the pieces in the order the chart layer takes them, then the drawing. Each makes
// the chart anew at its place.
namespace nidora::clinical {

// Where a chart goes in its window: its place in the chart's own units, and over which pixels
// of the window it is shown (ChartContent.h, Frame).
struct ChartPlace {
    QRect place;
    QRect shown;
};

// Every point of GRAFICO in the order of its key GRA:KSERIE: series by series, by increasing x.
std::vector<data::GRAFICO> chartPoints(data::AccessObject& points);

// Up to eight line series over numeric axes, one per series number 1 to 8; rebuilds
// ChartSeriesText from the names of the series' first points.
void drawLineChart(platform::Chart& chart, QWidget* window, const ChartPlace& at,
    const std::vector<data::GRAFICO>& points, ChartParameters& parameters);
// The points of series 1 as bars, each labelled by its x.
void drawBarChart(platform::Chart& chart, QWidget* window, const ChartPlace& at,
    const std::vector<data::GRAFICO>& points, const ChartParameters& parameters);
// The points of series 1 as the slices of a pie, each named by its label.
void drawPieChart(platform::Chart& chart, QWidget* window, const ChartPlace& at,
    const std::vector<data::GRAFICO>& points, const ChartParameters& parameters);

// The fifteen colours of a pie's slices, taken in turn.
const std::vector<quint32>& piePalette();

} // namespace nidora::clinical
