#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace nidora::clinical {

// What a window hands the chart viewer it calls besides the points in GRAFICO: titles, axis
// ranges, colours (0x00BBGGRR) and the series' looks. Each logical thread has its own: the
// caller sets them just before it calls the viewer on the same thread, and another thread's
// chart never sees them. Texts are fixed-size fields and start filled with spaces; the arrays
// are the series 1 to 8 at indices 0 to 7.
struct ChartParameters {
    QString ChartTitle = QString(33, QLatin1Char(' '));
    QString ChartSubtitle = QString(43, QLatin1Char(' '));
    QString ChartXTitle = QString(20, QLatin1Char(' '));
    QString ChartYTitle = QString(20, QLatin1Char(' '));
    QString ChartSeriesText = QString(250, QLatin1Char(' '));
    std::array<std::uint32_t, 8> ChartColors {};
    QString ChartImageName = QString(40, QLatin1Char(' '));

    QString XYChartTitle = QString(50, QLatin1Char(' '));
    QString XYChartXTitle = QString(20, QLatin1Char(' '));
    QString XYChartYTitle = QString(20, QLatin1Char(' '));
    std::uint32_t XYChartBackColor = 0;
    double XYChartXMin = 0;
    double XYChartXMax = 0;
    double XYChartYMin = 0;
    double XYChartYMax = 0;
    std::int16_t XYChartXTicks = 0;
    std::int16_t XYChartYTicks = 0;
    std::array<std::uint8_t, 8> XYChartSeriesStyle {};
    std::array<std::uint8_t, 8> XYChartSeriesMark {};
};

// The calling logical thread's parameters.
ChartParameters& chartParameters();

// A text as a fixed-size field holds it: cut to size, or filled with spaces up to it.
QString fitted(const QString& text, int size);

} // namespace nidora::clinical
