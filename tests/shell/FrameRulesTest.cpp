#include "shell/FrameRules.h"
#include "shell/MainFrame.h"

#include <QAction>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace nidora::shell {
namespace {

struct PhysicianCase {
    const char* setting;
    int physician;
};

void PrintTo(const PhysicianCase& c, std::ostream* os)
{
    *os << '"' << c.setting << "\" -> " << c.physician;
}

class PhysicianTest : public ::testing::TestWithParam<PhysicianCase> { };

TEST_P(PhysicianTest, KeepsTheLowByteAndAtLeastOne)
{
    EXPECT_EQ(physicianFromSetting(QString::fromUtf8(GetParam().setting)), GetParam().physician);
}

INSTANTIATE_TEST_SUITE_P(Settings, PhysicianTest,
    ::testing::Values(PhysicianCase { "", 1 }, PhysicianCase { "0", 1 }, PhysicianCase { "3", 3 },
        PhysicianCase { "255", 255 }, PhysicianCase { "256", 1 }, PhysicianCase { "257", 1 },
        PhysicianCase { "300", 44 }, PhysicianCase { "-1", 255 }, PhysicianCase { "dos", 1 }));

// Every procedure the frame starts, so that only the rights decide.
views::ProcedureTable everyProcedure()
{
    views::ProcedureTable table;
    for (const char* name : { "BrowseUSUARIOS", "BrowseMEDICOS", "PantallaCopia", "PantallaRestaurar",
             "Informes", "Graficos", "HelpAbout", "BrowsePACIENTES", "BrowseMADRES", "BrowsePADRES", "Tablas",
             "BrowseAGENDA", "Biblioteca" })
        table.emplace(QString::fromUtf8(name), [] {});
    return table;
}

struct RightsCase {
    const char* name;
    std::vector<int> rights;
    std::set<int> disabled;
};

void PrintTo(const RightsCase& c, std::ostream* os)
{
    *os << c.name;
}

class RightsTest : public ::testing::TestWithParam<RightsCase> { };

TEST_P(RightsTest, OnlyTheGuardedCommandsOfMissingRightsAreDisabled)
{
    views::ProgramGlobals globals;
    for (int right : GetParam().rights)
        globals.AccessRights[std::size_t(right - 1)] = 1;
    MainFrame frame;
    applyRights(frame, globals, everyProcedure());
    const std::set<int>& disabled = GetParam().disabled;
    for (int control = -30; control <= -2; ++control) {
        if (QAction* action = frame.command(control)) {
            EXPECT_EQ(action->isEnabled(), disabled.count(control) == 0) << "control " << control;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Users, RightsTest,
    ::testing::Values(RightsCase { "everything", { 1, 2, 3, 4, 5, 6, 30 }, {} },
        RightsCase { "nothing", {}, { -2, -20, -22, -28, -23, -24 } },
        RightsCase { "administratorOnly", { 30 }, { -20, -22, -28, -23, -24 } },
        RightsCase { "patientsAndAgenda", { 1, 4 }, { -2, -22, -23, -24 } }),
    [](const auto& param) { return std::string(param.param.name); });

TEST(FrameRules, ACommandWhoseWindowIsNotThereStaysDisabledWhateverTheRights)
{
    views::ProgramGlobals globals;
    globals.grantAllRights();
    MainFrame frame;
    applyRights(frame, globals, {});
    for (int control : { -2, -3, -13, -19, -20, -21, -29 })
        EXPECT_FALSE(frame.command(control)->isEnabled()) << control;
    for (int control : { -6, -7, -9, -10, -11, -15, -16, -17, -25, -26 })
        EXPECT_TRUE(frame.command(control)->isEnabled()) << control;
}

} // namespace
} // namespace nidora::shell
