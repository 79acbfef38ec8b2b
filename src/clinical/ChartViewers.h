#pragma once

// The chart viewers: each shows the points its caller put into GRAFICO, with the chart
// parameters the caller set on the same thread (ChartParameters.h), in a window "Gráfico" whose
// buttons copy the chart to the clipboard, save it as a JPEG file in the working directory
// under ChartImageName, and print it. Each runs on its caller's logical thread and returns
// when its window is closed.
namespace nidora::clinical {

// Up to eight line series over numeric axes (the growth charts).
void GraficoX1();
// The bars of series 1 (the monthly and yearly statistics).
void GraficoX2();
// The pie of series 1 (the statistics by sex and by age group).
void GraficoX3();

} // namespace nidora::clinical
