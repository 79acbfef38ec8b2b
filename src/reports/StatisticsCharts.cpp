#include "reports/StatisticsCharts.h"

#include "reports/ScratchRefill.h"

#include "clinical/ChartParameters.h"
#include "clinical/ChartViewers.h"
#include "core/Picture.h"
#include "core/PictureFormat.h"
#include "data/AccessBuffer.h"
#include "data/ScratchRecords.h"

#include <algorithm>

namespace nidora::reports {

namespace {

using C = CountedFile;
using G = Grouping;

constexpr StatisticsChart kCharts[] = {
    { "PantallaG1", C::Pathologies, G::Monthly, "DISTRIBUCION MENSUAL DIAGNOSTICOS", "Meses", "N° Casos",
        "Casos mensuales*", 0x006400 },
    { "PantallaG2", C::Pathologies, G::Yearly, "EVOLUCION DIAGNOSTICOS ANUALES", "Año", "N° Casos",
        "Casos anuales*", 0x00CCFF },
    { "PantallaG3", C::Pathologies, G::BySex, "DISTRIB. PATOLOGIAS POR SEXO", "", "", "", 0 },
    { "PantallaG4", C::Pathologies, G::ByAge, "DISTRIB. PATOLOGIAS POR EDADES", "", "", "", 0 },
    { "PantallaG21", C::Consultations, G::Monthly, "DISTRIBUCION MENSUAL CONSULTAS", "Meses", "# Casos",
        "Casos mensuales*", 0x3C14DC },
    { "PantallaG22", C::Consultations, G::Yearly, "EVOLUCION CONSULTAS ANUALES", "Año", "# Casos",
        "Casos anuales*", 0xFF9966 },
    { "PantallaG23", C::Consultations, G::BySex, "DISTRIB. CONSULTAS POR SEXO", "", "", "", 0 },
    { "PantallaG24", C::Consultations, G::ByAge, "DISTRIB. CONSULTAS POR EDADES", "", "", "", 0 },
};

QString formatted(const char* picture, std::int64_t value)
{
    return formatLong(*parsePicture(QString::fromLatin1(picture)), value);
}

// A text in a field at least as long as the longest text composed for it.
QString atLeast(const QString& text, int size)
{
    return clinical::fitted(text, std::max(size, int(text.size())));
}

} // namespace

const StatisticsChart* statisticsChart(const QString& procedure)
{
    for (const StatisticsChart& chart : kCharts)
        if (procedure == QLatin1String(chart.procedure))
            return &chart;
    return nullptr;
}

QString chartSubtitle(const StatisticsChart& chart, const QString& selection, int year, Date from, Date to)
{
    const int width = chart.file == CountedFile::Pathologies ? 20 : 25;
    const QString name = clinical::fitted(selection, width);
    switch (chart.grouping) {
    case Grouping::Monthly:
        return name + QLatin1Char(' ') + formatted("@N04", year);
    case Grouping::Yearly:
        return name;
    case Grouping::BySex:
    case Grouping::ByAge:
        break;
    }
    // A date not given keeps its eight places, so the subtitle keeps its layout.
    const auto date = [](Date day) { return formatted("@D5", day).rightJustified(8); };
    return name + QLatin1Char(' ') + date(from) + QLatin1Char('-') + date(to);
}

bool fillChartPoints(data::Dictionary& data, const std::vector<ChartRow>& rows)
{
    auto& point = data.buffer<data::GRAFICO>();
    return refillScratch(data, data::FileId::GRAFICO, [&](data::AccessObject& points) {
        for (const ChartRow& row : rows) {
            data::clearRecord(points.desc(), point);
            point.SERIE = 1;
            point.X = row.x;
            point.Y = row.y;
            point.REFERENCIA = row.label;
            // A row that cannot be written is told by the access object; the others still go in.
            points.insert();
        }
        return true;
    });
}

void setChartTexts(const StatisticsChart& chart, const QString& subtitle)
{
    clinical::ChartParameters& parameters = clinical::chartParameters();
    const QString title = QString::fromUtf8(chart.title);
    parameters.ChartTitle = atLeast(title, 33);
    parameters.ChartSubtitle = atLeast(subtitle, 43);
    parameters.ChartImageName = clinical::fitted(title, 40);
    if (!chart.bars())
        return;
    parameters.ChartXTitle = clinical::fitted(QString::fromUtf8(chart.xTitle), 20);
    parameters.ChartYTitle = clinical::fitted(QString::fromUtf8(chart.yTitle), 20);
    parameters.ChartSeriesText = clinical::fitted(QString::fromUtf8(chart.seriesText), 250);
    parameters.ChartColors[0] = chart.colour;
}

void showChart(const StatisticsChart& chart)
{
    if (chart.bars())
        clinical::GraficoX2();
    else
        clinical::GraficoX3();
}

} // namespace nidora::reports
