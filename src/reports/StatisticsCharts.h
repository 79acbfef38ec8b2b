#pragma once

#include "reports/StatisticsCounting.h"

#include <QString>

#include <cstdint>
#include <vector>

// What each statistics window counts and how its chart is titled, and the hand-over of the
// counted rows to the chart viewers through GRAFICO and the thread's chart parameters.
namespace nidora::reports {

struct StatisticsChart {
    const char* procedure; // "PantallaG1"
    CountedFile file;
    Grouping grouping;
    const char* title;
    // The bar charts' axis titles, legend and colour (0x00BBGGRR); the pies have none.
    const char* xTitle;
    const char* yTitle;
    const char* seriesText;
    std::uint32_t colour;

    bool bars() const { return grouping == Grouping::Monthly || grouping == Grouping::Yearly; }
};

// The eight windows' charts, by procedure name; null for any other name.
const StatisticsChart* statisticsChart(const QString& procedure);

// The subtitle as the chart shows it: the selection at its full width (trailing blanks kept),
// then the year as four digits or the dates as dd/mm/yy-dd/mm/yy.
QString chartSubtitle(const StatisticsChart& chart, const QString& selection, int year, Date from, Date to);

// Empties the window's own copy of GRAFICO (refillScratch), where the viewer it calls next on
// its thread reads them, and writes the rows as points of series 1 in one buffered write; false
// when the file could not be made again or written (said through the access object's message).
bool fillChartPoints(data::Dictionary& data, const std::vector<ChartRow>& rows);

// Sets the thread's chart texts for the chart: the title (also the saved picture's name, so
// that each kind of chart is saved under a name of its own), the subtitle and, for the bars,
// the axis titles, the legend and the colour of series 1.
void setChartTexts(const StatisticsChart& chart, const QString& subtitle);

// Shows the chart's viewer on the calling thread until it is closed.
void showChart(const StatisticsChart& chart);

} // namespace nidora::reports
