// The three chart viewers: what each hands the chart layer from GRAFICO and its thread's chart
// parameters, the redrawing at a new size, and what its three buttons do.
#include "clinical/ChartViewerFixture.h"

#include "clinical/ChartDrawings.h"
#include "clinical/ChartViewers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>

namespace nidora::clinical {
namespace {

using platform::PrintOutcome;
using platform::chart::Axis;
using test::point;
using testing::ElementsAre;
using testing::IsEmpty;

class ChartViewersTest : public test::ChartViewerTest { };

void growthParameters(ChartParameters& p)
{
    p.ChartImageName = fitted(QStringLiteral("PESO - Primer Año"), 40);
    p.XYChartTitle = fitted(QStringLiteral("Pérez, Ana"), 50);
    p.XYChartXTitle = fitted(QStringLiteral("Edad (meses)"), 20);
    p.XYChartYTitle = fitted(QStringLiteral("Kilos"), 20);
    p.XYChartXMin = 0;
    p.XYChartXMax = 12;
    p.XYChartYMin = 0;
    p.XYChartYMax = 14;
    p.XYChartXTicks = 13;
    p.XYChartYTicks = 15;
    p.XYChartBackColor = 0xFACE87;
    p.ChartColors = { 0x505050, 0x2222FB, 0x00CCFF, 0x008000, 0x00CCFF, 0x2222FB, 0x505050, 0xFF901E };
    p.XYChartSeriesStyle = { 70, 68, 68, 73, 68, 68, 70, 71 };
    p.XYChartSeriesMark = { 0, 0, 0, 0, 0, 0, 0, 21 };
}

void statisticsParameters(ChartParameters& p)
{
    p.ChartTitle = fitted(QStringLiteral("CONSULTAS POR MES"), 33);
    p.ChartSubtitle = fitted(QStringLiteral("Año 2024"), 43);
    p.ChartXTitle = fitted(QStringLiteral("Mes"), 20);
    p.ChartYTitle = fitted(QStringLiteral("Consultas"), 20);
    p.ChartSeriesText = fitted(QStringLiteral("Consultas*"), 250);
    p.ChartColors[0] = 0x3366FF;
}

TEST_F(ChartViewersTest, LinesHandTheirAxesSeriesAndTheLegendOfTheNamedSeries)
{
    store(point(1, 2, 4.0, "", "Niños"));
    store(point(1, 0, 3.0, "", "otro nombre"));
    store(point(2, 1, 5.5));
    store(point(3, 0, 2.0, "", "Niñas"));
    store(point(9, 0, 1.0, "", "no se dibuja"));
    open(GraficoX1, growthParameters);

    EXPECT_THAT(recorded().calls,
        ElementsAre("create", "addRegion", "addCaption", "addGrid", "addText", "addAxis", "addAxis",
            "addLineSeries", "addLineSeries", "addLineSeries", "addLegend", "setZoom", "draw"));
    const auto& chart = drawing();
    EXPECT_EQ(chart.frame->place, QRect(4, 34, 682, 380));
    EXPECT_EQ(chart.frame->background, 0xFACE87u);
    QWidget* window = driver.window(QStringLiteral("Gráfico"));
    EXPECT_EQ(recorded().parent, window);
    // On the window, whatever its font makes of a dialog unit: inside it, below the buttons.
    EXPECT_TRUE(window->rect().contains(chart.frame->shown)) << "shown over " << chart.frame->shown.width();
    EXPECT_GT(chart.frame->shown.top(), driver.find(QStringLiteral("?BUTTON1"))->geometry().bottom());
    EXPECT_EQ(chart.region->top, 8);
    EXPECT_EQ(chart.region->right, -8);
    EXPECT_EQ(chart.caption->text, fitted(QStringLiteral("PESO - Primer Año"), 40)) << "handed as it stands";
    ASSERT_EQ(chart.texts.size(), 1u);
    EXPECT_EQ(chart.texts[0].text, fitted(QStringLiteral("Pérez, Ana"), 50));
    EXPECT_EQ(chart.texts[0].x, 682 - 200);
    EXPECT_EQ(chart.texts[0].background, 0xD2FAFAu);
    EXPECT_EQ(chart.texts[0].format, "10C");

    const Axis* x = chart.axis(Axis::Kind::X);
    const Axis* y = chart.axis(Axis::Kind::Y);
    ASSERT_TRUE(x && y);
    EXPECT_EQ(std::make_tuple(x->alignment, x->min, x->max, x->ticks, x->lineColour),
        std::make_tuple(12, 0.0, 12.0, 13, 0xFF0000u));
    EXPECT_EQ(x->title.trimmed(), "Edad (meses)");
    EXPECT_EQ(std::make_tuple(y->alignment, y->min, y->max, y->ticks, y->decimals),
        std::make_tuple(9, 0.0, 14.0, 15, 2));

    ASSERT_EQ(chart.lines.size(), 3u);
    EXPECT_THAT(chart.lines[0].x, ElementsAre(0, 2)) << "by increasing x";
    EXPECT_THAT(chart.lines[0].y, ElementsAre(3.0, 4.0));
    EXPECT_EQ(std::make_tuple(
                  chart.lines[0].colour, chart.lines[0].style, chart.lines[0].mark, chart.lines[0].width),
        std::make_tuple(0x505050u, 70, 0, 2));
    EXPECT_EQ(std::make_tuple(chart.lines[1].colour, chart.lines[1].style), std::make_tuple(0x2222FBu, 68));
    EXPECT_EQ(std::make_tuple(chart.lines[2].xAxis, chart.lines[2].yAxis), std::make_tuple(12, 9));
    // Only the first row of each series names it in the legend; series 2 has no name.
    ASSERT_EQ(chart.legends.size(), 1u);
    EXPECT_EQ(chart.legends[0].entries.trimmed(), "otro nombre*Niñas*");
    EXPECT_EQ(chart.zoom->colour, 0xFF0000u);
    closeViewer();
    EXPECT_EQ(left.ChartSeriesText, fitted(QStringLiteral("otro nombre*Niñas*"), 250));
}

TEST_F(ChartViewersTest, BarsAreTheFirstSeriesLabelledByTheirX)
{
    store(point(1, 1, 12));
    store(point(1, 2, 0));
    store(point(1, 3, 7));
    store(point(2, 1, 99));
    open(GraficoX2, statisticsParameters);

    EXPECT_THAT(recorded().calls,
        ElementsAre("create", "addRegion", "addCaption", "addGrid", "addText", "addAxis", "addLabelAxis",
            "addLegend", "addBarSeries", "draw"));
    const auto& chart = drawing();
    EXPECT_EQ(chart.frame->place, QRect(4, 34, 682, 380));
    EXPECT_EQ(chart.frame->background, 0xE3E3E3u);
    EXPECT_EQ(chart.caption->text.trimmed(), "CONSULTAS POR MES");
    EXPECT_EQ(chart.texts[0].text.trimmed(), "Año 2024");
    EXPECT_EQ(chart.texts[0].x, 482);
    const Axis* data = chart.axis(Axis::Kind::Data);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::make_tuple(data->min, data->max, data->ticks), std::make_tuple(0.0, 0.0, 11));
    EXPECT_EQ(data->title.trimmed(), "Consultas");
    EXPECT_EQ(chart.labelAxis->labels, "1*2*3*");
    EXPECT_EQ(chart.labelAxis->count, 3);
    EXPECT_EQ(chart.labelAxis->title.trimmed(), "Mes");
    EXPECT_EQ(chart.legends[0].entries.trimmed(), "Consultas*");
    ASSERT_EQ(chart.bars.size(), 1u);
    EXPECT_THAT(chart.bars[0].values, ElementsAre(12, 0, 7));
    EXPECT_EQ(chart.bars[0].colour, 0x3366FFu);
    closeViewer();
}

TEST_F(ChartViewersTest, APieIsTheFirstSeriesNamedByItsLabelsWithTheFifteenColours)
{
    store(point(1, 1, 30, "Niños"));
    store(point(1, 2, 25, "Niñas"));
    store(point(1, 3, 1, ""));
    store(point(3, 1, 50, "otra serie"));
    open(GraficoX3, statisticsParameters);

    EXPECT_THAT(recorded().calls,
        ElementsAre("create", "addRegion", "addCaption", "addPieSeries", "addLegend", "addText", "draw"));
    const auto& chart = drawing();
    EXPECT_EQ(chart.region->top, 5);
    EXPECT_EQ(chart.region->right, -5);
    ASSERT_EQ(chart.pies.size(), 1u);
    EXPECT_THAT(chart.pies[0].values, ElementsAre(30, 25, 1));
    EXPECT_EQ(chart.pies[0].palette, piePalette());
    EXPECT_EQ(chart.pies[0].palette.size(), 15u);
    EXPECT_EQ(chart.pies[0].palette.front(), 0xFF901Eu);
    EXPECT_EQ(chart.pies[0].palette.back(), 0x006400u);
    EXPECT_EQ(chart.legends[0].entries, "Niños*Niñas**") << "a blank label is an empty entry";
    EXPECT_EQ(chart.legends[0].alignment, 4);
    EXPECT_EQ(std::make_tuple(chart.texts[0].x, chart.texts[0].y, chart.texts[0].background),
        std::make_tuple(30, 40, 0xB9DAFFu));
    closeViewer();
}

TEST_F(ChartViewersTest, AnEmptyFileGivesChartsWithoutSeries)
{
    for (auto* viewer : { &GraficoX1, &GraficoX2, &GraficoX3 }) {
        closed = false;
        open(viewer);
        const auto& chart = drawing();
        EXPECT_THAT(chart.lines, IsEmpty());
        for (const auto& bars : chart.bars)
            EXPECT_THAT(bars.values, IsEmpty());
        for (const auto& pie : chart.pies)
            EXPECT_THAT(pie.values, IsEmpty());
        if (chart.labelAxis) {
            EXPECT_EQ(chart.labelAxis->count, 0);
        }
        closeViewer();
    }
}

TEST_F(ChartViewersTest, AResizedWindowMakesItsChartAgainAtTheNewSizeFromTheFileAsItIsNow)
{
    store(point(1, 0, 3));
    open(GraficoX1, growthParameters);
    ASSERT_EQ(recorded().drawings.size(), 1u);
    store(point(2, 0, 4));
    QWidget* window = driver.window(QStringLiteral("Gráfico"));
    const QSize opened = window->size();
    window->resize(opened + QSize(120, 60));
    driver.settle();

    ASSERT_EQ(recorded().drawings.size(), 2u);
    EXPECT_EQ(recorded().calls.filter(QStringLiteral("reset")).size(), 1);
    const QRect place = drawing().frame->place;
    EXPECT_EQ(place.topLeft(), QPoint(4, 34));
    EXPECT_GT(place.width(), 682);
    EXPECT_GT(place.height(), 380);
    EXPECT_EQ(drawing().lines.size(), 2u) << "GRAFICO is read again";

    // Saving afterwards writes the picture at the size drawn last.
    driver.click(QStringLiteral("?BUTTON1"));
    answerMessage();
    ASSERT_EQ(recorded().saved.size(), 1u);
    EXPECT_EQ(recorded().saved[0].size, place.size());
    closeViewer();
}

TEST_F(ChartViewersTest, SavingWritesTheChartUnderItsNameAndSaysWhatHappened)
{
    open(GraficoX1, growthParameters);
    EXPECT_EQ(qobject_cast<QPushButton*>(driver.find(QStringLiteral("?BUTTON1")))->text(), "Guardar");
    driver.click(QStringLiteral("?BUTTON1"));
    EXPECT_EQ(answerMessage(),
        QStringLiteral("EL GRÁFICO HA SIDO GUARDADO CON EL NOMBRE: \nPESO - Primer Año.jpg"));
    ASSERT_EQ(recorded().saved.size(), 1u);
    EXPECT_EQ(recorded().saved[0].file, "PESO - Primer Año.jpg");
    EXPECT_EQ(recorded().saved[0].size, QSize(682, 380));
    EXPECT_EQ(recorded().saved[0].quality, 100);

    recorded().saveSucceeds = false;
    driver.click(QStringLiteral("?BUTTON1"));
    EXPECT_EQ(answerMessage(),
        QStringLiteral("EL GRÁFICO NO PUDO SER GUARDADO CON EL NOMBRE: \nPESO - Primer Año.jpg"));
    closeViewer();

    // A statistics chart on a thread where no growth chart named a picture.
    closed = false;
    open(GraficoX2, statisticsParameters);
    driver.click(QStringLiteral("?BUTTON1"));
    answerMessage();
    EXPECT_EQ(recorded().saved.at(0).file, ".jpg");
    closeViewer();
}

TEST_F(ChartViewersTest, PrintingWaitsForTheDialogAndSaysSoWhenThePrinterFailed)
{
    open(GraficoX3, statisticsParameters);
    QWidget* window = driver.window(QStringLiteral("Gráfico"));
    driver.click(QStringLiteral("?BUTTON1:2"));
    ASSERT_EQ(recorded().printing.size(), 1u);
    EXPECT_FALSE(window->isEnabled()) << "no input while the dialog is open";
    recorded().answerPrint(PrintOutcome::Cancelled);
    driver.settle();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(answerMessage(), QString());

    driver.click(QStringLiteral("?BUTTON1:2"));
    recorded().answerPrint(PrintOutcome::Failed);
    EXPECT_EQ(answerMessage(), QStringLiteral("EL GRÁFICO NO PUDO SER IMPRESO."));

    driver.click(QStringLiteral("?BUTTON1:3"));
    EXPECT_EQ(recorded().copies, 1);
    EXPECT_EQ(answerMessage(), QString());
    closeViewer();
}

TEST_F(ChartViewersTest, ParametersBelongToTheThreadThatSetsThem)
{
    open(GraficoX1, growthParameters);
    EXPECT_EQ(chartParameters().ChartImageName, QString(40, QLatin1Char(' '))) << "not this thread's";
    EXPECT_EQ(chartParameters().XYChartBackColor, 0u);
    closeViewer();
}

} // namespace
} // namespace nidora::clinical
