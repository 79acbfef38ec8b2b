// The report and chart launchers: the rights that disable the report buttons, buttons whose
// window the program lacks, each press starting its window on a new thread, and the task
// panel choosing the page.
#include "framework/WindowTestSupport.h"

#include "reports/Launchers.h"

#include "controls/TaskPanelLayout.h"
#include "controls/TaskPanelWidget.h"
#include "views/ProgramGlobals.h"
#include "views/ProgramProcedures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <map>

namespace nidora::reports {
namespace {

constexpr const char* kReportProcedures[] = { "Pantalla1", "Pantalla2", "Pantalla3", "Pantalla4", "Pantalla5",
    "Pantalla21", "Pantalla22", "Pantalla23", "Pantalla24", "Pantalla31", "Pantalla32", "Pantalla33" };

class LaunchersTest : public framework::test::WindowsTest {
protected:
    LaunchersTest()
    {
        views::ProcedureTable fakes;
        for (const char* name : kReportProcedures)
            fakes.emplace(QString::fromLatin1(name), [this, name] { ++started[QString::fromLatin1(name)]; });
        views::setProgramProcedures(std::move(fakes));
        views::AppGlobals.grantAllRights();
    }
    ~LaunchersTest() override
    {
        views::setProgramProcedures({});
        views::AppGlobals = views::ProgramGlobals {};
    }

    bool enabled(const char* procedure) const
    {
        auto* button
            = qobject_cast<QAbstractButton*>(driver.find(QStringLiteral("?BUTTON_%1").arg(procedure)));
        return button && button->isEnabled();
    }
    QStringList enabledReports() const
    {
        QStringList names;
        for (const char* name : kReportProcedures)
            if (enabled(name))
                names << QString::fromLatin1(name);
        return names;
    }

    void clickTask(std::size_t task)
    {
        auto* panel = driver.find(QStringLiteral("?XPTASKPANEL"))->findChild<controls::TaskPanelWidget*>();
        ASSERT_NE(panel, nullptr);
        (void)panel->grab(); // painting lays the panel out
        const controls::TaskPanelLayout& layout = panel->lastLayout();
        ASSERT_EQ(layout.groups.size(), 1u);
        ASSERT_LT(task, layout.groups[0].rows.size());
        const controls::TaskRowLayout& row = layout.groups[0].rows[task];
        const QPoint at(layout.left + 10, row.top + row.height / 2);
        QMouseEvent release(QEvent::MouseButtonRelease, at, panel->mapToGlobal(at), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &release);
        driver.settle();
    }

    std::map<QString, int> started;
};

TEST_F(LaunchersTest, RightsOneTwoAndFourDisableTheirReportsAndTheListsStayAvailable)
{
    struct Case {
        std::vector<int> withdrawn;
        QStringList available;
    };
    const Case cases[] = {
        { {},
            { "Pantalla1", "Pantalla2", "Pantalla3", "Pantalla4", "Pantalla5", "Pantalla21", "Pantalla22",
                "Pantalla23", "Pantalla24", "Pantalla31", "Pantalla32", "Pantalla33" } },
        { { 2 }, { "Pantalla1", "Pantalla2", "Pantalla21", "Pantalla22", "Pantalla23", "Pantalla24" } },
        { { 1, 2, 4 }, { "Pantalla22", "Pantalla23", "Pantalla24" } },
    };
    for (const Case& each : cases) {
        views::AppGlobals.grantAllRights();
        for (int right : each.withdrawn)
            views::AppGlobals.AccessRights[std::size_t(right - 1)] = 0;
        driver.start(Informes);
        ASSERT_NE(driver.window(QStringLiteral("Informes")), nullptr);
        EXPECT_EQ(enabledReports(), each.available) << each.withdrawn.size() << " rights withdrawn";
        driver.close(QStringLiteral("Informes"));
    }
}

TEST_F(LaunchersTest, EachPressStartsAWindowOfItsOwnAndAMissingOneIsOutOfReach)
{
    views::ProcedureTable table;
    table.emplace(QStringLiteral("Pantalla22"), [this] { ++started[QStringLiteral("Pantalla22")]; });
    views::setProgramProcedures(std::move(table));
    driver.start(Informes);
    ASSERT_NE(driver.window(QStringLiteral("Informes")), nullptr);
    EXPECT_EQ(enabledReports(), QStringList { "Pantalla22" });
    clickTask(1); // Secretaría Consultorio
    driver.click(QStringLiteral("?BUTTON_Pantalla22"));
    driver.click(QStringLiteral("?BUTTON_Pantalla22"));
    EXPECT_EQ(started[QStringLiteral("Pantalla22")], 2);
    EXPECT_NE(driver.window(QStringLiteral("Informes")), nullptr) << "the launcher stays open";
}

TEST_F(LaunchersTest, TheTasksShowTheirPages)
{
    driver.start(Informes);
    ASSERT_NE(driver.window(QStringLiteral("Informes")), nullptr);
    auto* sheet = qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET1")));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->currentIndex(), 0);
    clickTask(1);
    EXPECT_EQ(sheet->currentIndex(), 1);
    EXPECT_TRUE(driver.find(QStringLiteral("?BUTTON_Pantalla21"))->isVisible());
    EXPECT_TRUE(driver.find(QStringLiteral("?BUTTON_Pantalla24"))->isVisible());
    clickTask(2);
    EXPECT_EQ(sheet->currentIndex(), 2);
    driver.close(QStringLiteral("Informes"));

    // The charts' launcher checks no rights: its buttons are there for whoever opens it.
    views::AppGlobals.AccessRights.fill(0);
    views::ProcedureTable charts;
    charts.emplace(QStringLiteral("PantallaG23"), [this] { ++started[QStringLiteral("PantallaG23")]; });
    views::setProgramProcedures(std::move(charts));
    driver.start(Graficos);
    ASSERT_NE(driver.window(QStringLiteral("Gráficas")), nullptr);
    clickTask(1); // Consultas
    EXPECT_TRUE(enabled("PantallaG23"));
    EXPECT_FALSE(enabled("PantallaG1"));
    driver.click(QStringLiteral("?BUTTON_PantallaG23"));
    EXPECT_EQ(started[QStringLiteral("PantallaG23")], 1);
}

} // namespace
} // namespace nidora::reports
