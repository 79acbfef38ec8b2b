#include "TablesWindowsTest.h"

#include "framework/KeyCodes.h"
#include "practice/Procedures.h"
#include "shell/FrameRules.h"
#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "views/ListModel.h"
#include "views/ProgramGlobals.h"

#include <gmock/gmock.h>

#include <ostream>

namespace nidora::practice::test {
namespace {

using testing::ElementsAre;

template <class R> R named(const char* name)
{
    R record;
    record.NOMBRE = QString::fromUtf8(name);
    return record;
}

data::MOTIVOS reason(const char* title)
{
    data::MOTIVOS r;
    r.MOTIVO = QString::fromUtf8(title);
    return r;
}

data::TABCRECIMIENTO growthRow(std::int16_t months, std::int64_t lightestBoy = 0)
{
    data::TABCRECIMIENTO row;
    row.EDAD = months;
    row.PESOS[0][0] = lightestBoy;
    return row;
}

class TablasTest : public TablesWindowsTest { };

TEST_F(TablasTest, OpensOnTheReasonsWithoutATabStrip)
{
    store(reason("CONTROL"));
    store(reason("FIEBRE"));
    startTablas();
    EXPECT_EQ(shownPage(), 0);
    auto* sheet = static_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET2")));
    EXPECT_FALSE(sheet->tabBar()->isVisible());
    EXPECT_EQ(sheet->count(), 5);
    EXPECT_EQ(sheet->tabText(4), QStringLiteral("Tab 10"));
    EXPECT_THAT(shownRows("?LIST"), ElementsAre(QStringList { "CONTROL" }, QStringList { "FIEBRE" }));
    EXPECT_EQ(list("?LIST")->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Título"));
    EXPECT_TRUE(list("?LIST")->hasFocus());
    closeWindow("Tablas");
}

TEST_F(TablasTest, ATaskShowsItsTableReadAgainAndItsLocatorTakesTheKeys)
{
    store(named<data::TABENFERMED>("ANGINA"));
    store(named<data::TABENFERMED>("VARICELA"));
    store(reason("GRIPE"));
    startTablas();
    store(named<data::TABENFERMED>("GRIPE")); // written after the window read its tables

    clickTask(3); // "Patologías"
    EXPECT_EQ(shownPage(), 3);
    ASSERT_TRUE(list("?LIST:4")->isVisible());
    EXPECT_THAT(shownRows("?LIST:4"),
        ElementsAre(ElementsAre("ANGINA", ""), ElementsAre("GRIPE", ""), ElementsAre("VARICELA", "")));
    EXPECT_TRUE(list("?LIST:4")->hasFocus());
    driver.pressKey(QString(), keys::letter('G'));
    EXPECT_EQ(highlighted("?LIST:4"), QStringLiteral("GRIPE"));
    driver.pressKey(QString(), keys::letter('R'));
    EXPECT_EQ(highlighted("?LIST:4"), QStringLiteral("GRIPE"));
    EXPECT_EQ(highlighted("?LIST"), QStringLiteral("GRIPE")); // the reasons' list never moved

    clickTask(0);
    EXPECT_EQ(shownPage(), 0);
    closeWindow("Tablas");
}

// Each table's task, its insert button and form, what is typed there, and how the stored row
// and the list show it.
struct TableCase {
    const char* table;
    int task;
    const char* list;
    const char* insert;
    const char* form;
    const char* entry;
    const char* typed;
    std::function<QString(nidora::test::DiskFiles&)> stored;
    const char* shown; // the new row's first column, highlighted
};

void PrintTo(const TableCase& c, std::ostream* out)
{
    *out << c.table;
}

class EachTable : public TablasTest, public testing::WithParamInterface<TableCase> { };

TEST_P(EachTable, AddsARowThroughItsOwnButtonAndForm)
{
    const TableCase& c = GetParam();
    startTablas();
    clickTask(c.task);
    driver.click(QString::fromUtf8(c.insert));
    ASSERT_NE(driver.window(QString::fromUtf8(c.form)), nullptr);
    driver.type(QString::fromUtf8(c.entry), QString::fromUtf8(c.typed));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QString::fromUtf8(c.form)), nullptr);
    EXPECT_EQ(c.stored(disk), QString::fromUtf8(c.typed));
    EXPECT_EQ(highlighted(c.list), QString::fromUtf8(c.shown));
    closeWindow("Tablas");
}

INSTANTIATE_TEST_SUITE_P(FiveTables, EachTable,
    testing::Values(
        TableCase { "reasons", 0, "?LIST", "?INSERT", "Nuevo Motivo Consulta", "?MOT:MOTIVO", "FIEBRE",
            [](auto& d) { return d.template all<data::MOTIVOS>().at(0).MOTIVO; }, "FIEBRE" },
        TableCase { "coverages", 1, "?LIST:2", "?INSERT:2", "Nueva Cobertura", "?OBR:NOMBRE", "IOMA",
            [](auto& d) { return d.template all<data::OBRASSOCIALES>().at(0).NOMBRE; }, "IOMA" },
        TableCase { "plans", 2, "?LIST:3", "?INSERT:3", "Agregar Registro", "?PLA:VACUNA", "BCG",
            [](auto& d) { return d.template all<data::PLANVACUNACION>().at(0).VACUNA; }, "A" },
        TableCase { "pathologies", 3, "?LIST:4", "?INSERT:4", "Agregar Patología", "?TEN:NOMBRE", "GRIPE",
            [](auto& d) { return d.template all<data::TABENFERMED>().at(0).NOMBRE; }, "GRIPE" },
        TableCase { "growth values", 4, "?LIST:5", "?INSERT:5", "Nuevo Registro", "?TCR:PESOS_1_1", "3.5",
            [](auto& d) {
                return QString::number(
                    double(d.template all<data::TABCRECIMIENTO>().at(0).PESOS[0][0]) / 1000);
            },
            "" }), // the first row of an empty table is one month old: no whole years
    [](const testing::TestParamInfo<TableCase>& which) {
        return QString::fromUtf8(which.param.table).replace(QLatin1Char(' '), QLatin1Char('_')).toStdString();
    });

TEST_F(TablasTest, GrowthRowsShowTheirAgeInYearsBlankForNoneAndMonths)
{
    store(growthRow(264, 60'500));
    store(growthRow(0, 3'300));
    store(growthRow(27));
    startTablas();
    clickTask(4);
    QAbstractItemModel* rows = list("?LIST:5")->model();
    EXPECT_EQ(rows->columnCount(), 10);
    EXPECT_EQ(rows->headerData(2, Qt::Horizontal, views::ListModel::GroupHeadingRole).toString(),
        QStringLiteral("Peso Niños"));
    const auto firstColumns = [&] {
        std::vector<QStringList> shown;
        for (const QStringList& row : shownRows("?LIST:5"))
            shown.push_back(row.mid(0, 3));
        return shown;
    };
    EXPECT_THAT(firstColumns(),
        ElementsAre(QStringList { "", "0", "3.300" }, QStringList { "2", "3", "0.000" },
            QStringList { "22", "0", "60.500" }));
    closeWindow("Tablas");
}

class TablasFromTheFrame : public TablasTest {
protected:
    TablasFromTheFrame() { views::AppGlobals.grantAllRights(); }
    ~TablasFromTheFrame() override { views::AppGlobals = views::ProgramGlobals {}; }
};

TEST_F(TablasFromTheFrame, TheTablesButtonOpensTheWindowOnAThreadOfItsOwn)
{
    shell::MainFrame frame;
    shell::FrameServices services;
    services.procedures = procedures();
    framework::StartOnNewThread([&] { shell::runFrameCommand(-22, frame, services); }, 0);
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Tablas")) != nullptr; }));
    EXPECT_EQ(scheduler.threadCount(), 2); // the command's thread has ended, the window's runs
    driver.close(QStringLiteral("Tablas"));
    EXPECT_TRUE(driver.runUntil([&] { return scheduler.threadCount() == 1; }));
}

TEST(TablasProcedure, IsStartedWithALargeStackAndTheTablesRightOnly)
{
    const shell::FrameCommand* tables = shell::findFrameCommand(-22);
    ASSERT_NE(tables, nullptr);
    ASSERT_STREQ(tables->procedure, "Tablas");
    EXPECT_EQ(tables->stackSize, 50'000u);
    EXPECT_EQ(tables->right, 3);
    views::ProgramGlobals globals;
    globals.AccessRights[2] = 1; // "Acceso a Tablas"
    EXPECT_TRUE(shell::commandAvailable(*tables, globals, procedures()));
    globals.AccessRights[2] = 0;
    EXPECT_FALSE(shell::commandAvailable(*tables, globals, procedures()));
}

} // namespace
} // namespace nidora::practice::test
