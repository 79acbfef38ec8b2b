// The statistics charts: what each kind of count gathers from the diagnoses and consultations,
// and the windows that count, fill GRAFICO, title the chart and show it on their own thread.
#include "clinical/ChartViewerFixture.h"

#include "reports/StatisticsCharts.h"
#include "reports/StatisticsCounting.h"
#include "reports/StatisticsWindows.h"

#include "core/Clock.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "views/ProgramGlobals.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace nidora::reports {
namespace {

using data::CONSULTAS;
using data::ENFERMEDADES;
using data::GRAFICO;
using data::PACIENTES;
using testing::ElementsAre;
using testing::IsEmpty;

ENFERMEDADES diagnosis(std::int32_t patient, const char* name, Date date, int years = 0)
{
    ENFERMEDADES e;
    e.PACIENTE = patient;
    e.ENFERMEDAD = QString::fromUtf8(name);
    e.FECHA = date;
    e.ANIOS = std::uint8_t(years);
    return e;
}

CONSULTAS consultation(std::int32_t code, std::int32_t patient, const char* reason, Date date, int years = 0)
{
    CONSULTAS c;
    c.CODIGO = code;
    c.PACIENTE = patient;
    c.MOTIVO = QString::fromUtf8(reason);
    c.FECHA = date;
    c.ANIOS = std::uint8_t(years);
    return c;
}

PACIENTES child(std::int32_t code, const char* sex)
{
    PACIENTES p;
    p.CODIGO = code;
    p.NOMBRE = QStringLiteral("Niño %1").arg(code);
    p.SEXO = QString::fromLatin1(sex);
    return p;
}

std::vector<double> counts(const std::vector<ChartRow>& rows)
{
    std::vector<double> ys;
    for (const ChartRow& row : rows)
        ys.push_back(row.y);
    return ys;
}

class StatisticsCountTest : public clinical::test::ChartViewerTest {
protected:
    std::vector<ChartRow> count(CountedFile file, Grouping grouping, const StatisticsSelection& selection)
    {
        data::Dictionary& data = views::threadDictionary();
        const data::FileId source
            = file == CountedFile::Pathologies ? data::FileId::ENFERMEDADES : data::FileId::CONSULTAS;
        for (const data::FileId each : { source, data::FileId::PACIENTES })
            EXPECT_EQ(data.access(each).open(), data::AccessResult::Ok);
        std::optional<std::vector<ChartRow>> rows = countChartRows(data, file, grouping, selection);
        for (const data::FileId each : { source, data::FileId::PACIENTES })
            data.access(each).close();
        EXPECT_TRUE(rows.has_value());
        return rows.value_or(std::vector<ChartRow> {});
    }
};

TEST_F(StatisticsCountTest, MonthsAreAlwaysTwelveAndAYearEndsOnItsLastDay)
{
    store(diagnosis(1, "Gripe", makeDate(2010, 1, 31)));
    store(diagnosis(2, "Gripe", makeDate(2010, 2, 1)));
    store(diagnosis(3, "Gripe", makeDate(2011, 1, 1)));
    store(diagnosis(4, "Gripe", makeDate(2009, 12, 31)));
    store(diagnosis(5, "Otitis", makeDate(2010, 3, 3)));
    const std::vector<ChartRow> rows
        = count(CountedFile::Pathologies, Grouping::Monthly, { .name = "Gripe", .year = 2010 });
    EXPECT_THAT(counts(rows), ElementsAre(1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[11].x, 12);
    EXPECT_EQ(rows[0].label, QString());

    EXPECT_THAT(
        counts(count(CountedFile::Pathologies, Grouping::Monthly, { .name = "Sarampión", .year = 2010 })),
        ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

TEST_F(StatisticsCountTest, ANameIsMatchedAsTheKeyMatchesItWhateverItsCase)
{
    // In key order these interleave by date: a case-sensitive comparison would stop at the
    // first "CONTROL" and miss the later "Control".
    store(consultation(1, 1, "Control", makeDate(2010, 3, 1)));
    store(consultation(2, 1, "CONTROL", makeDate(2010, 3, 2)));
    store(consultation(3, 1, "control  ", makeDate(2010, 4, 2)));
    store(consultation(4, 1, "Control", makeDate(2010, 5, 2)));
    store(consultation(5, 1, "Controles", makeDate(2010, 5, 3)));
    EXPECT_THAT(
        counts(count(CountedFile::Consultations, Grouping::Monthly, { .name = "Control   ", .year = 2010 })),
        ElementsAre(0, 0, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0));
}

TEST_F(StatisticsCountTest, YearsGetARowOnlyWhenTheyHaveCases)
{
    store(consultation(1, 1, "Fiebre", makeDate(2005, 6, 1)));
    store(consultation(2, 1, "Fiebre", makeDate(2005, 7, 1)));
    store(consultation(3, 1, "Fiebre", makeDate(2008, 1, 1)));
    store(consultation(4, 1, "Gripe", makeDate(2006, 1, 1)));
    EXPECT_THAT(count(CountedFile::Consultations, Grouping::Yearly, { .name = "Fiebre" }),
        ElementsAre(ChartRow { 2005, 2, {} }, ChartRow { 2008, 1, {} }));
    EXPECT_THAT(count(CountedFile::Consultations, Grouping::Yearly, { .name = "Vacuna" }), IsEmpty());
}

TEST_F(StatisticsCountTest, SexSlicesCountEachCaseOnceAndAMissingPatientNowhere)
{
    store(child(1, "M"));
    store(child(2, "F"));
    store(child(3, ""));
    const Date day = makeDate(2010, 5, 5);
    store(diagnosis(1, "Asma", day));
    store(diagnosis(1, "Asma", day + 1));
    store(diagnosis(2, "Asma", day + 2));
    store(diagnosis(3, "Asma", day + 3));
    store(diagnosis(9, "Asma", day + 4)); // no such patient
    store(diagnosis(2, "Asma", day + 40)); // after the range
    EXPECT_THAT(
        count(CountedFile::Pathologies, Grouping::BySex, { .name = "Asma", .from = day, .to = day + 10 }),
        ElementsAre(ChartRow { 1, 2, QStringLiteral("Niños") }, ChartRow { 2, 1, QStringLiteral("Niñas") },
            ChartRow { 3, 1, QStringLiteral(" ") }));
    // From the beginning when no first date is given; the last date after the first counts nothing.
    EXPECT_THAT(counts(count(CountedFile::Pathologies, Grouping::BySex, { .name = "Asma", .to = day + 40 })),
        ElementsAre(2, 2, 1));
    EXPECT_THAT(counts(count(CountedFile::Pathologies, Grouping::BySex,
                    { .name = "Asma", .from = day + 5, .to = day })),
        ElementsAre(0, 0, 0));
}

TEST_F(StatisticsCountTest, AgeGroupsTakeTheStoredYearsAgainstTheirBounds)
{
    const Date day = makeDate(2012, 8, 1);
    std::int32_t code = 0;
    for (int years : { 0, 1, 4, 5, 9, 10, 15 }) {
        ++code;
        store(consultation(code, 1, "Control", day + code, years));
    }
    const StatisticsSelection usual { .name = "Control", .from = day, .to = day + 30 };
    const std::vector<ChartRow> rows = count(CountedFile::Consultations, Grouping::ByAge, usual);
    EXPECT_THAT(counts(rows), ElementsAre(1, 2, 2, 2));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].label, QStringLiteral("menores de  1 años"));
    EXPECT_EQ(rows[1].label, QStringLiteral(" 1 a  5 años"));
    EXPECT_EQ(rows[2].label, QStringLiteral(" 5 a 10 años"));
    EXPECT_EQ(rows[3].label, QStringLiteral("mayores de 10 años"));

    StatisticsSelection crossed = usual;
    // Each group tests its own bounds, so 4 and 5 fall both below 6 and from 3 to 12.
    crossed.ages = { 6, 3, 12 };
    EXPECT_THAT(counts(count(CountedFile::Consultations, Grouping::ByAge, crossed)), ElementsAre(4, 0, 4, 1));
}

TEST_F(StatisticsCountTest, ABlankSelectionMatchesNothing)
{
    store(consultation(1, 1, "", makeDate(2010, 1, 1)));
    store(consultation(2, 1, "Gripe", makeDate(2010, 1, 2)));
    EXPECT_THAT(
        counts(count(CountedFile::Consultations, Grouping::Monthly, { .name = "    ", .year = 2010 })),
        ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_THAT(count(CountedFile::Consultations, Grouping::Yearly, { .name = "" }), IsEmpty());
}

TEST(StatisticsTextsTest, SubtitlesKeepTheSelectionAtItsFullWidth)
{
    const StatisticsChart* monthly = statisticsChart(QStringLiteral("PantallaG1"));
    const StatisticsChart* bySex = statisticsChart(QStringLiteral("PantallaG23"));
    const StatisticsChart* yearly = statisticsChart(QStringLiteral("PantallaG22"));
    ASSERT_TRUE(monthly && bySex && yearly);
    EXPECT_EQ(statisticsChart(QStringLiteral("PantallaG5")), nullptr);
    EXPECT_EQ(chartSubtitle(*monthly, QStringLiteral("Gripe"), 2010, 0, 0),
        QStringLiteral("Gripe                2010"));
    EXPECT_EQ(
        chartSubtitle(*bySex, QStringLiteral("Control"), 0, makeDate(2010, 1, 5), makeDate(2011, 12, 31)),
        QStringLiteral("Control                   05/01/10-31/12/11"));
    EXPECT_EQ(
        chartSubtitle(*bySex, QStringLiteral("Control"), 0, makeDate(2010, 1, 5), makeDate(2011, 12, 31))
            .size(),
        43);
    EXPECT_EQ(chartSubtitle(*yearly, QStringLiteral("Control"), 0, 0, 0),
        QStringLiteral("Control").leftJustified(25));
}

class StatisticsWindowTest : public clinical::test::ChartViewerTest {
protected:
    StatisticsWindowTest() { views::AppGlobals = views::ProgramGlobals {}; }
    ~StatisticsWindowTest() override { views::AppGlobals = views::ProgramGlobals {}; }

    // Starts the window on a thread of its own; `left` holds the thread's chart parameters once
    // the window has returned.
    void startWindow(void (*procedure)())
    {
        closed = false;
        driver.start([this, procedure] {
            procedure();
            left = clinical::chartParameters();
            closed = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Graficas")), nullptr);
    }

    std::vector<GRAFICO> points() { return all<GRAFICO>(); }

    Clock::Fixed clock { QDateTime(QDate(2011, 6, 15), QTime(10, 0)) };
};

TEST_F(StatisticsWindowTest, MonthlyConsultationsOpenOnThisYearAndShowTheirBars)
{
    store(consultation(1, 1, "Gripe", makeDate(2011, 2, 3)));
    store(consultation(2, 1, "GRIPE", makeDate(2011, 2, 4)));
    store(consultation(3, 1, "Gripe", makeDate(2011, 9, 4)));
    // The last chart's points go when the next chart is filled.
    store(clinical::test::point(2, 5, 7));
    startWindow(PantallaG21);
    EXPECT_EQ(views::AppGlobals.ANIO, 2011);
    driver.type(QStringLiteral("?SELECTMOTIVO"), QStringLiteral("Gripe"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_NE(driver.window(QStringLiteral("Gráfico")), nullptr);
    const std::vector<GRAFICO> rows = points();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[1].SERIE, 1);
    EXPECT_EQ(rows[1].Y, 2);
    EXPECT_EQ(rows[8].Y, 1);
    closeViewer();
    EXPECT_EQ(driver.window(QStringLiteral("Graficas")), nullptr) << "the window closes with its chart";
    EXPECT_EQ(left.ChartTitle, QStringLiteral("DISTRIBUCION MENSUAL CONSULTAS").leftJustified(33));
    EXPECT_EQ(left.ChartSubtitle.trimmed(), QStringLiteral("Gripe                     2011"));
    EXPECT_EQ(left.ChartXTitle.trimmed(), QStringLiteral("Meses"));
    EXPECT_EQ(left.ChartYTitle.trimmed(), QStringLiteral("# Casos"));
    EXPECT_EQ(left.ChartSeriesText.trimmed(), QStringLiteral("Casos mensuales*"));
    EXPECT_EQ(left.ChartColors[0], 0x3C14DCu);
    // Saved under the chart's own title, not as a nameless ".jpg".
    EXPECT_EQ(left.ChartImageName.trimmed(), QStringLiteral("DISTRIBUCION MENSUAL CONSULTAS"));
    EXPECT_EQ(views::AppGlobals.SELECTMOTIVO.trimmed(), QStringLiteral("Gripe"));
}

TEST_F(StatisticsWindowTest, AgeGroupsOpenAtTheirUsualBoundsAndPieTheGroups)
{
    store(diagnosis(1, "Asma", makeDate(2011, 1, 10), 0));
    store(diagnosis(2, "Asma", makeDate(2011, 1, 11), 7));
    startWindow(PantallaG4);
    EXPECT_EQ(views::AppGlobals.HF, Clock::today()) << "the last date starts at today";
    driver.type(QStringLiteral("?SELECTPATOLOGIA"), QStringLiteral("Asma"));
    driver.type(QStringLiteral("?EDAD2"), QStringLiteral("8"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(driver.find(QStringLiteral("?EDAD2"))->findChild<QLineEdit*>(), &enter);
    driver.settle();
    EXPECT_EQ(qobject_cast<QLabel*>(driver.find(QStringLiteral("?EDAD2:2")))->text().trimmed(),
        QStringLiteral("8"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_NE(driver.window(QStringLiteral("Gráfico")), nullptr);
    const std::vector<GRAFICO> rows = points();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].REFERENCIA, QStringLiteral(" 1 a  8 años"));
    EXPECT_EQ(rows[0].Y + rows[1].Y + rows[2].Y + rows[3].Y, 2);
    EXPECT_EQ(rows[0].Y, 1);
    EXPECT_EQ(rows[1].Y, 1);
    closeViewer();
    EXPECT_EQ(left.ChartTitle.trimmed(), QStringLiteral("DISTRIB. PATOLOGIAS POR EDADES"));
    EXPECT_EQ(left.ChartSubtitle,
        (QStringLiteral("Asma").leftJustified(29) + QStringLiteral("-15/06/11")).leftJustified(43));
}

TEST_F(StatisticsWindowTest, ClosingWithoutOkLeavesTheLastChartAlone)
{
    store(clinical::test::point(1, 3, 4));
    startWindow(PantallaG2);
    driver.close(QStringLiteral("Graficas"));
    ASSERT_TRUE(driver.runUntil([this] { return closed; }));
    EXPECT_EQ(points().size(), 1u);
}

} // namespace
} // namespace nidora::reports
