// The patient's growth charts: the ages that each chart draws and where, and the fill of GRAFICO
// with the reference curves and the child's own measures before the line viewer shows them.
#include "clinical/ChartViewerFixture.h"

#include "clinical/GrowthCharts.h"

#include "core/Date.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "views/DictionarySetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace nidora::clinical {
namespace {

using data::CONSULTAS;
using data::GRAFICO;
using data::PACIENTES;
using data::TABCRECIMIENTO;
using testing::ElementsAre;
using testing::IsEmpty;

// The charts by their buttons' controls.
enum Button { Weight0to6, WeightFirstYear, Weight6to18, Height0to6, HeightFirstYear, Height6to18, Head };

TEST(GrowthChartAgesTest, AnAgeIsCountedInYearsOf360DaysOrMonthsOf30)
{
    EXPECT_DOUBLE_EQ(consultationX(growthChartOf(Weight0to6), 2, 3, 18), 2.3);
    EXPECT_DOUBLE_EQ(consultationX(growthChartOf(Head), 2, 3, 18), 27.6);
    EXPECT_DOUBLE_EQ(consultationX(growthChartOf(WeightFirstYear), 0, 1, 10), 1 + 10 / 30.0);
    EXPECT_DOUBLE_EQ(consultationX(growthChartOf(Height6to18), 7, 0, 0), 7);
}

TEST(GrowthChartAgesTest, EachChartDrawsTheStoredAgesOfItsRange)
{
    struct Case {
        Button chart;
        int years, months, days;
        bool drawn;
    };
    const Case cases[] = {
        // The 0-6-year and head charts look at whole months only.
        { Weight0to6, 0, 0, 0, true },
        { Weight0to6, 6, 0, 29, true },
        { Weight0to6, 6, 1, 0, false },
        { Height0to6, 5, 12, 0, true },
        { Head, 2, 0, 15, true },
        { Head, 2, 1, 0, false },
        // The first-year charts count the days.
        { WeightFirstYear, 1, 0, 0, true },
        { WeightFirstYear, 0, 11, 30, true },
        { WeightFirstYear, 1, 0, 1, false },
        { HeightFirstYear, 0, 12, 1, false },
        // The 6-18-year charts from 72 months to 216, whole months.
        { Weight6to18, 5, 11, 29, false },
        { Weight6to18, 6, 0, 0, true },
        { Height6to18, 18, 0, 20, true },
        { Height6to18, 18, 1, 0, false },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(testing::Message() << growthChartOf(each.chart).title << " at " << each.years << "a "
                                        << each.months << "m " << each.days << "d");
        EXPECT_EQ(drawsAge(growthChartOf(each.chart), each.years, each.months, each.days), each.drawn);
    }
}

// A reference row whose values tell their curve, sex and month apart: percentile p (from 1) of
// sex s (1 boys, 2 girls) weighs p + 10 s + m / 100 kg and measures 50 + p + 10 s + m cm, the
// head 30 + d + 10 s + m / 10 cm.
TABCRECIMIENTO referenceRow(int month)
{
    TABCRECIMIENTO row;
    row.EDAD = std::int16_t(month);
    for (int p = 0; p < 7; ++p)
        for (int s = 0; s < 2; ++s) {
            row.PESOS[p][s] = (p + 1 + 10 * (s + 1)) * 1000 + month * 10;
            row.ALTURA[p][s] = (50 + p + 1 + 10 * (s + 1) + month) * 10;
        }
    for (int d = 0; d < 3; ++d)
        for (int s = 0; s < 2; ++s)
            row.PC[d][s] = (30 + d + 1 + 10 * (s + 1)) * 10 + month;
    return row;
}

CONSULTAS consultationAt(
    std::int32_t code, std::int32_t patient, std::int32_t date, int years, int months, int days, double kilos)
{
    CONSULTAS c;
    c.CODIGO = code;
    c.PACIENTE = patient;
    c.FECHA = date;
    c.ANIOS = std::uint8_t(years);
    c.MESES = std::uint8_t(months);
    c.DIAS = std::uint8_t(days);
    c.PESO = std::llround(kilos * 1000);
    return c;
}

class GrowthChartsTest : public test::ChartViewerTest {
protected:
    GrowthChartsTest()
    {
        boy.CODIGO = 1;
        boy.NOMBRE = QStringLiteral("Pérez, Juan");
        boy.SEXO = QStringLiteral("M");
        boy.FNACIMIENTO = makeDate(2023, 1, 10);
        boy.PESO = 3200;
        boy.ALTURA = 50;
        boy.PC = 3450;
        store(boy);
    }

    // The form's thread holds the patient in its buffer as the form shows him.
    void drawChart(Button chart, const PACIENTES& patient)
    {
        open([chart, patient] {
            views::threadDictionary().buffer<PACIENTES>() = patient;
            growthChart(chart);
        });
    }

    std::map<int, std::vector<GRAFICO>> pointsBySeries()
    {
        std::map<int, std::vector<GRAFICO>> series;
        for (const GRAFICO& each : all<GRAFICO>())
            series[each.SERIE].push_back(each);
        for (auto& [number, points] : series)
            std::sort(
                points.begin(), points.end(), [](const GRAFICO& a, const GRAFICO& b) { return a.X < b.X; });
        return series;
    }

    static std::vector<double> xs(const std::vector<GRAFICO>& points)
    {
        std::vector<double> values;
        for (const GRAFICO& each : points)
            values.push_back(each.X);
        return values;
    }
    static std::vector<double> ys(const std::vector<GRAFICO>& points)
    {
        std::vector<double> values;
        for (const GRAFICO& each : points)
            values.push_back(each.Y);
        return values;
    }

    // In one write, as a whole table is many rows.
    void storeReferenceMonths(int first, int last)
    {
        data::DataFile& table = disk(data::FileId::TABCRECIMIENTO);
        ASSERT_TRUE(table.beginBuffered().ok());
        for (int month = first; month <= last; ++month)
            store(referenceRow(month));
        ASSERT_TRUE(table.flush().ok());
    }

    PACIENTES boy;
};

TEST_F(GrowthChartsTest, TheFirstYearWeightOfABoyHasTheBoysCurvesHisBirthAndHisConsultations)
{
    storeReferenceMonths(0, 13);
    store(consultationAt(1, 1, boy.FNACIMIENTO + 40, 0, 1, 10, 4.1));
    store(consultationAt(2, 1, boy.FNACIMIENTO + 61, 0, 2, 0, 5.0));
    store(consultationAt(3, 1, boy.FNACIMIENTO + 80, 0, 2, 19, 0)); // no weight: no point
    store(consultationAt(4, 2, boy.FNACIMIENTO + 50, 0, 1, 20, 6.0)); // another child
    drawChart(WeightFirstYear, boy);

    auto series = pointsBySeries();
    ASSERT_EQ(series.size(), 8u);
    for (int curve = 1; curve <= 7; ++curve) {
        SCOPED_TRACE(curve);
        ASSERT_EQ(series[curve].size(), 13u) << "months 0 to 12";
        EXPECT_DOUBLE_EQ(series[curve].front().X, 0);
        EXPECT_DOUBLE_EQ(series[curve].back().X, 12);
        EXPECT_DOUBLE_EQ(series[curve][5].Y, curve + 10 + 0.05) << "the boys' column";
    }
    EXPECT_THAT(xs(series[8]), ElementsAre(0, testing::DoubleEq(1 + 10 / 30.0), 2));
    EXPECT_THAT(ys(series[8]), ElementsAre(3.2, 4.1, 5.0));
    for (const GRAFICO& each : all<GRAFICO>()) {
        EXPECT_TRUE(each.NSERIE.trimmed().isEmpty());
        EXPECT_TRUE(each.REFERENCIA.trimmed().isEmpty());
    }

    const auto& chart = drawing();
    EXPECT_EQ(chart.frame->background, 0xFACE87u);
    ASSERT_EQ(chart.lines.size(), 8u);
    EXPECT_EQ(chart.lines[7].colour, 0xFF901Eu);
    EXPECT_EQ(std::make_tuple(chart.lines[7].style, chart.lines[7].mark), std::make_tuple(71, 21));
    EXPECT_EQ(std::make_tuple(chart.lines[3].colour, chart.lines[3].style), std::make_tuple(0x008000u, 73));
    EXPECT_EQ(std::make_tuple(chart.lines[0].colour, chart.lines[0].style), std::make_tuple(0x505050u, 70));
    EXPECT_EQ(std::make_tuple(chart.lines[2].colour, chart.lines[2].style), std::make_tuple(0x00CCFFu, 68));
    EXPECT_EQ(chart.caption->text.trimmed(), "PESO - Primer Año");
    EXPECT_EQ(chart.texts[0].text.trimmed(), "Pérez, Juan");
    const auto* x = chart.axis(platform::chart::Axis::Kind::X);
    const auto* y = chart.axis(platform::chart::Axis::Kind::Y);
    EXPECT_EQ(x->title.trimmed(), "Edad (meses)");
    EXPECT_EQ(y->title.trimmed(), "Kilos");
    EXPECT_EQ(std::make_tuple(x->min, x->max, x->ticks, y->min, y->max, y->ticks),
        std::make_tuple(0.0, 12.0, 13, 0.0, 14.0, 15));
    closeViewer();
}

TEST_F(GrowthChartsTest, AGirlHasTheGirlsCurvesAndHerColours)
{
    storeReferenceMonths(0, 12);
    PACIENTES girl = boy;
    girl.SEXO = QStringLiteral("F");
    drawChart(WeightFirstYear, girl);
    auto series = pointsBySeries();
    EXPECT_DOUBLE_EQ(series[1][0].Y, 1 + 20);
    EXPECT_DOUBLE_EQ(series[7][12].Y, 7 + 20 + 0.12);
    EXPECT_EQ(drawing().frame->background, 0xC1B6FFu);
    EXPECT_EQ(drawing().lines.back().colour, 0xB469FFu);
    closeViewer();
}

TEST_F(GrowthChartsTest, EachChartHasItsTitlesRangesAndUnits)
{
    struct Case {
        Button chart;
        const char* title;
        const char* xTitle;
        const char* yTitle;
        double yMin, yMax, xMin, xMax;
        int xTicks, yTicks;
        double firstX, lastX; // of the reference curves
        double birth; // the patient's point at x 0, or 0 when the chart has none
    };
    const Case cases[] = {
        { Weight0to6, "PESO - Nacimiento 6 Años", "Edad", "Kilos", 0, 30, 0, 6, 7, 7, 0, 6, 3.2 },
        { Weight6to18, "PESO 6-18 Años", "Edad", "Kilos", 0, 90, 6, 18, 13, 19, 6, 18, 0 },
        { Height0to6, "ESTATURA - Nacimiento 6 Años", "Edad", "Cms.", 30, 130, 0, 6, 7, 11, 0, 6, 50 },
        { HeightFirstYear, "ESTATURA - Primer Año", "Edad  (meses)", "Cms.", 30, 90, 0, 12, 13, 13, 0, 12,
            50 },
        { Height6to18, "ESTATURA 6-18 Años", "Edad", "Cms.", 90, 190, 6, 18, 13, 11, 6, 18, 0 },
        { Head, "PERÍMETRO CEFÁLICO - Nacimiento 24 Meses", "Edad (meses)", "Cms.", 30, 60, 0, 24, 25, 16, 0,
            24, 34.5 },
    };
    storeReferenceMonths(0, 216);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.title);
        closed = false;
        drawChart(each.chart, boy);
        const auto& chart = drawing();
        EXPECT_EQ(chart.caption->text.trimmed(), QString::fromUtf8(each.title));
        const auto* x = chart.axis(platform::chart::Axis::Kind::X);
        const auto* y = chart.axis(platform::chart::Axis::Kind::Y);
        EXPECT_EQ(x->title, fitted(QString::fromUtf8(each.xTitle), 20));
        EXPECT_EQ(y->title, fitted(QString::fromUtf8(each.yTitle), 20));
        EXPECT_EQ(std::make_tuple(y->min, y->max, x->min, x->max, x->ticks, y->ticks),
            std::make_tuple(each.yMin, each.yMax, each.xMin, each.xMax, each.xTicks, each.yTicks));
        const std::size_t curves = each.chart == Head ? 3 : 7;
        ASSERT_EQ(chart.lines.size(), curves + (each.birth > 0 ? 1 : 0));
        EXPECT_DOUBLE_EQ(chart.lines.front().x.front(), each.firstX);
        EXPECT_DOUBLE_EQ(chart.lines.front().x.back(), each.lastX);
        if (each.birth > 0) {
            EXPECT_THAT(chart.lines.back().y, ElementsAre(testing::DoubleEq(each.birth)));
        }
        if (each.chart == Weight6to18) {
            EXPECT_EQ(chart.lines.front().x.size(), 145u) << "every month from 72 to 216 is drawn";
        }
        closeViewer();
        if (each.chart == Head) {
            EXPECT_EQ(left.ChartImageName, QStringLiteral("PERÍMETRO CEFÁLICO - Nacimiento 24 Meses"));
        }
    }
}

TEST_F(GrowthChartsTest, MissingMonthsAndZeroValuesLeaveGapsAndAConsultationAt7YearsIsOnlyInTheOlderChart)
{
    store(referenceRow(0));
    TABCRECIMIENTO withoutP3 = referenceRow(2);
    withoutP3.PESOS[0][0] = 0;
    store(withoutP3);
    store(referenceRow(84));
    store(consultationAt(1, 1, boy.FNACIMIENTO + 2600, 7, 0, 0, 12.5));
    drawChart(WeightFirstYear, boy);
    auto series = pointsBySeries();
    EXPECT_THAT(xs(series[1]), ElementsAre(0)) << "no row for month 1, no value for month 2";
    EXPECT_THAT(xs(series[2]), ElementsAre(0, 2));
    EXPECT_THAT(xs(series[8]), ElementsAre(0)) << "the birth only";
    closeViewer();

    for (const Button chart : { Weight0to6, Weight6to18 }) {
        closed = false;
        drawChart(chart, boy);
        series = pointsBySeries();
        if (chart == Weight6to18) {
            EXPECT_THAT(xs(series[8]), ElementsAre(7));
            EXPECT_THAT(ys(series[8]), ElementsAre(12.5));
            EXPECT_THAT(xs(series[1]), ElementsAre(7)) << "month 84 only: the second chart's rows alone";
        } else {
            EXPECT_THAT(xs(series[8]), ElementsAre(0));
        }
        closeViewer();
    }
}

// Two measures at one age (a consultation on the day of birth beside the birth measure, two
// consultations at one stored age) are no fault of the user's: the first is drawn, and the
// chart opens without a message.
TEST_F(GrowthChartsTest, ASecondMeasureAtOneAgeIsLeftOutWithoutAMessage)
{
    store(referenceRow(0));
    store(consultationAt(1, 1, boy.FNACIMIENTO, 0, 0, 0, 3.4));
    store(consultationAt(2, 1, boy.FNACIMIENTO + 30, 0, 1, 0, 4.0));
    store(consultationAt(3, 1, boy.FNACIMIENTO + 31, 0, 1, 0, 4.2)); // the same stored age
    drawChart(WeightFirstYear, boy);
    EXPECT_EQ(answerMessage(), QString());
    auto series = pointsBySeries();
    EXPECT_THAT(xs(series[8]), ElementsAre(0, 1));
    EXPECT_THAT(ys(series[8]), ElementsAre(3.4, 4.0)) << "the earlier points stay";
    closeViewer();
}

TEST_F(GrowthChartsTest, ConsultationsBeforeTheBirthDateAreNotTheChildsAndAPatientWithoutOneHasAll)
{
    store(consultationAt(1, 1, boy.FNACIMIENTO - 5, 0, 3, 0, 9.0));
    store(consultationAt(2, 1, boy.FNACIMIENTO + 100, 0, 3, 10, 6.0));
    drawChart(WeightFirstYear, boy);
    EXPECT_THAT(ys(pointsBySeries()[8]), ElementsAre(3.2, 6.0));
    closeViewer();

    PACIENTES undated = boy;
    undated.FNACIMIENTO = 0;
    undated.PESO = 0; // typed as nothing on the form: no birth point
    closed = false;
    drawChart(WeightFirstYear, undated);
    EXPECT_THAT(ys(pointsBySeries()[8]), ElementsAre(9.0, 6.0));
    closeViewer();
}

TEST_F(GrowthChartsTest, TheBirthMeasuresAreTheFormsNotTheStoredOnes)
{
    PACIENTES typed = boy;
    typed.PESO = 3650;
    drawChart(Weight0to6, typed);
    EXPECT_THAT(ys(pointsBySeries()[8]), ElementsAre(3.65));
    closeViewer();
}

TEST_F(GrowthChartsTest, HeadCircumferenceHasThreeCurvesAndLeavesTheOtherLooksAsTheyWere)
{
    storeReferenceMonths(0, 24);
    open([patient = boy] {
        views::threadDictionary().buffer<PACIENTES>() = patient;
        chartParameters().ChartColors[4] = 0x123456;
        growthChart(Head);
    });
    const auto& chart = drawing();
    ASSERT_EQ(chart.lines.size(), 4u);
    EXPECT_EQ(std::make_tuple(chart.lines[0].colour, chart.lines[0].style), std::make_tuple(0x2222FBu, 68));
    EXPECT_EQ(std::make_tuple(chart.lines[1].colour, chart.lines[1].style), std::make_tuple(0x008000u, 73));
    EXPECT_EQ(std::make_tuple(chart.lines[2].colour, chart.lines[2].style), std::make_tuple(0x2222FBu, 68));
    EXPECT_DOUBLE_EQ(chart.lines[1].y[10], 30 + 2 + 10 + 1.0);
    closeViewer();
    EXPECT_EQ(left.ChartColors[4], 0x123456u);
}

} // namespace
} // namespace nidora::clinical
