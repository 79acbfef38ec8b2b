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

#include <QAbstractButton>
#include <QDir>
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

    // The points of the one window that has filled its own copy of GRAFICO, in key order.
    static std::vector<GRAFICO> points()
    {
        const QStringList copies = QDir::current().entryList({ QStringLiteral("GRAFI???.QVM") });
        EXPECT_EQ(copies.size(), 1) << qPrintable(copies.join(QLatin1Char(' ')));
        std::vector<GRAFICO> read;
        if (copies.size() != 1)
            return read;
        data::OpenOptions options;
        options.fileName = copies.front();
        const data::FileDesc& desc = data::fileDesc(data::FileId::GRAFICO);
        auto opened = data::DataFile::open(desc, data::OpenMode::ReadOnly, options);
        EXPECT_TRUE(opened.outcome.ok());
        if (opened.file)
            opened.file->page(desc.key(QStringLiteral("GRA:KSERIE")), {}, data::Direction::Forward, 1000,
                [&](const data::RecordRef&, const data::Record& r) {
                    read.push_back(static_cast<const GRAFICO&>(r));
                });
        return read;
    }

    static QStringList copiesOnDisk() { return QDir::current().entryList({ QStringLiteral("GRAFI???.*") }); }

    Clock::Fixed clock { QDateTime(QDate(2011, 6, 15), QTime(10, 0)) };
};

TEST_F(StatisticsWindowTest, MonthlyConsultationsOpenOnThisYearAndShowTheirBars)
{
    store(consultation(1, 1, "Gripe", makeDate(2011, 2, 3)));
    store(consultation(2, 1, "GRIPE", makeDate(2011, 2, 4)));
    store(consultation(3, 1, "Gripe", makeDate(2011, 9, 4)));
    // Another window's points, in the shared file: this window fills a copy of its own.
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
    EXPECT_EQ(all<GRAFICO>().size(), 1u) << "the other window's points are left alone";
    EXPECT_TRUE(copiesOnDisk().isEmpty()) << "the copy goes with its window";
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

TEST_F(StatisticsWindowTest, TwoWindowsFilledInTurnEachRedrawTheirOwnCounts)
{
    store(consultation(1, 1, "Gripe", makeDate(2011, 2, 3)));
    store(consultation(2, 1, "Gripe", makeDate(2011, 2, 4)));
    store(consultation(3, 1, "Gripe", makeDate(2011, 9, 4)));
    store(diagnosis(1, "Asma", makeDate(2005, 3, 1)));
    store(diagnosis(1, "Asma", makeDate(2008, 3, 1)));
    store(diagnosis(2, "Asma", makeDate(2008, 4, 1)));
    int ended = 0;
    const auto show = [&](void (*procedure)(), const char* selection, const char* text) {
        driver.start([&ended, procedure] {
            procedure();
            ++ended;
        });
        driver.type(QString::fromLatin1(selection), QString::fromLatin1(text));
        // The OK of this window: the first one's is there too, greyed while its chart is shown.
        QWidget* window = driver.find(QString::fromLatin1(selection))->window();
        window->findChild<QAbstractButton*>(QStringLiteral("?BUTTON1"))->click();
        driver.settle();
    };
    show(PantallaG21, "?SELECTMOTIVO", "Gripe");
    ASSERT_EQ(charts.records().size(), 1u);
    show(PantallaG2, "?SELECTPATOLOGIA", "Asma");
    ASSERT_EQ(charts.records().size(), 2u);
    platform::ChartRecord& monthly = *charts.records()[0];
    platform::ChartRecord& yearly = *charts.records()[1];
    EXPECT_EQ(copiesOnDisk().size(), 4) << "two copies, each held: " << qPrintable(copiesOnDisk().join(' '));

    // The first chart made again at a new size reads its own window's rows, not the latest.
    monthly.parent->resize(monthly.parent->size() + QSize(80, 40));
    driver.settle();
    ASSERT_EQ(monthly.drawings.size(), 2u);
    ASSERT_EQ(monthly.drawings.back().bars.size(), 1u);
    EXPECT_THAT(monthly.drawings.back().bars[0].values, ElementsAre(0, 2, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0));
    EXPECT_EQ(monthly.drawings.back().labelAxis->labels, "1*2*3*4*5*6*7*8*9*10*11*12*");
    yearly.parent->resize(yearly.parent->size() + QSize(80, 40));
    driver.settle();
    ASSERT_EQ(yearly.drawings.size(), 2u);
    EXPECT_THAT(yearly.drawings.back().bars[0].values, ElementsAre(1, 2));
    EXPECT_EQ(yearly.drawings.back().labelAxis->labels, "2005*2008*");

    driver.close(QStringLiteral("Gráfico"));
    driver.close(QStringLiteral("Gráfico"));
    ASSERT_TRUE(driver.runUntil([&] { return ended == 2; }));
    EXPECT_TRUE(copiesOnDisk().isEmpty()) << qPrintable(copiesOnDisk().join(' '));
    EXPECT_TRUE(all<GRAFICO>().empty()) << "the shared file is not filled";
}

TEST_F(StatisticsWindowTest, ARangeThatEndsBeforeItStartsIsRefusedAndTheWindowStaysOpen)
{
    store(child(1, "F"));
    store(diagnosis(1, "Asma", makeDate(2011, 5, 20)));
    startWindow(PantallaG3);
    driver.type(QStringLiteral("?SELECTPATOLOGIA"), QStringLiteral("Asma"));
    driver.type(QStringLiteral("?DF"), QStringLiteral("10/05/2011"));
    driver.accept(QStringLiteral("?DF"));
    driver.type(QStringLiteral("?HF"), QStringLiteral("01/05/2011"));
    driver.accept(QStringLiteral("?HF"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(
        driver.answer(QStringLiteral("LA FECHA DESDE ES POSTERIOR A LA FECHA HASTA"), QStringLiteral("OK")));
    EXPECT_TRUE(charts.records().empty()) << "no chart is shown";
    EXPECT_NE(driver.window(QStringLiteral("Graficas")), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?DF")));

    // Mended, the same window shows its chart.
    driver.type(QStringLiteral("?HF"), QStringLiteral("31/05/2011"));
    driver.accept(QStringLiteral("?HF"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_NE(driver.window(QStringLiteral("Gráfico")), nullptr);
    EXPECT_THAT(drawing().pies.at(0).values, ElementsAre(0, 1, 0));
    closeViewer();
}

TEST_F(StatisticsWindowTest, ClosingWithoutOkLeavesTheLastChartAlone)
{
    store(clinical::test::point(1, 3, 4));
    startWindow(PantallaG2);
    driver.close(QStringLiteral("Graficas"));
    ASSERT_TRUE(driver.runUntil([this] { return closed; }));
    EXPECT_EQ(all<GRAFICO>().size(), 1u);
}

} // namespace
} // namespace nidora::reports
