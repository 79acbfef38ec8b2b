#include "controls/TaskPanel.h"
#include "controls/TaskPanelWidget.h"
#include "framework/Colour.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace nidora::controls {
namespace {

// Hands out the given ids in turn, so that collisions can be forced.
TaskPanel::IdSource idsFrom(std::vector<qint32> ids)
{
    return [ids, next = std::size_t(0)]() mutable { return ids.at(next++); };
}

TEST(TaskPanelIds, RedrawnUntilUniqueInTheirScope)
{
    TaskPanel panel(idsFrom({ 7, 7, 9, 7, 7, 3 }));
    const qint32 first = panel.AddHeader("A", "", 0, true, false, 16, false);
    const qint32 second = panel.AddHeader("B", "", 0, true, false, 16, false); // 7 is taken: draws 9
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, 9);
    // Task ids need only be unique within their header: the first task of B may be 7 again.
    EXPECT_EQ(panel.AddTask("t1", "", "", 0, false, false), 7);
    EXPECT_EQ(panel.AddTask("t2", "", "", 0, false, false), 3);
}

TEST(TaskPanelIds, RandomIdsAreInRangeAndDistinct)
{
    TaskPanel panel;
    std::vector<qint32> ids;
    for (int i = 0; i < 50; ++i)
        ids.push_back(panel.AddHeader("H", "", 0, true, false, 16, false));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_GE(ids.front(), 1);
}

TEST(TaskPanelHeaders, AddHeaderSetsTheDescribedFields)
{
    TaskPanel panel;
    const qint32 collapsed = panel.AddHeader("Clínica", "doctor.ico", 1, false, false, 32, false);
    const qint32 forced = panel.AddHeader("Prenatal", "", 0, false, true, 48, true);
    const HeaderRecord* h = panel.header(collapsed);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->TITLE, QStringLiteral("Clínica"));
    EXPECT_EQ(h->ICONNAME, QStringLiteral("doctor.ico"));
    EXPECT_EQ(h->STYLE, 1);
    EXPECT_FALSE(h->ISEXPANDED);
    EXPECT_EQ(h->ICONSIZES, 32);
    EXPECT_TRUE(h->ISVISIBLE);
    EXPECT_TRUE(h->WORDWRAP);
    EXPECT_FALSE(h->ISBOXED || h->ISALWAYSEXPANDED || h->DONTWIZARD || h->ISHOVERED);
    // forceExpanded wins over expanded; the default icon size wins over the one given.
    EXPECT_TRUE(panel.header(forced)->ISEXPANDED);
    EXPECT_EQ(panel.header(forced)->ICONSIZES, 24);
    EXPECT_EQ(panel.currentHeaderId(), forced);
    EXPECT_EQ(panel.currentTaskId(), 0);
}

TEST(TaskPanelTasks, AddTaskClipsTitleDropsTildeAndSetsDefaults)
{
    TaskPanel panel;
    const qint32 h = panel.AddHeader("H", "", 0, true, false, 16, false);
    const qint32 t = panel.AddTask("Datos   ", "~estadocta.ico", "  Ver datos  ", 12, false, true);
    const TaskRecord* task = panel.task(h, t);
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->TITLE, QStringLiteral("Datos"));
    EXPECT_EQ(task->ICONNAME, QStringLiteral("estadocta.ico"));
    EXPECT_EQ(task->TOOLTIP, QStringLiteral("  Ver datos"));
    EXPECT_EQ(task->LEFTACTIONFEQ, 12);
    EXPECT_FALSE(task->MIMICICON);
    EXPECT_TRUE(task->MIMICTEXT && task->ISVISIBLE);
    EXPECT_FALSE(task->ISDISABLED || task->ISBOLD || task->MIMICBUTTON);
    EXPECT_EQ(task->USERDATA, 0u);
    EXPECT_EQ(panel.currentTaskId(), t);
}

TEST(TaskPanelTasks, AddTaskWithoutAHeaderAddsNothing)
{
    TaskPanel panel;
    EXPECT_EQ(panel.AddTask("Datos", "", "", 0, false, false), 0);
    EXPECT_TRUE(panel.headers().empty());
    EXPECT_EQ(panel.currentTaskId(), 0);
}

TEST(TaskPanelTasks, TooltipIsClippedAndLimited)
{
    TaskPanel panel;
    const qint32 h = panel.AddHeader("H", "", 0, true, false, 16, false);
    const qint32 t = panel.AddTask("T", "", "", 0, false, false);
    panel.SetTaskTooltip(h, t, QString(600, QLatin1Char('x')));
    EXPECT_EQ(panel.task(h, t)->TOOLTIP.size(), 512);
    panel.SetTaskTooltip(h, t, "   ");
    EXPECT_TRUE(panel.task(h, t)->TOOLTIP.isEmpty());
}

TEST(TaskPanelColours, DefaultsAreTheDescribedScheme)
{
    const TaskPanel panel;
    const ColourSchema& c = panel.colours();
    EXPECT_EQ(c.PANEL, (ColourPart { 0xE6A07A, 0xE6A07A, 0xD67563, 0, 0, 0 }));
    EXPECT_EQ(c.HEADERS, (ColourPart { 0xB24D07, 0xB24D07, 0xC75C22, 0xFFFFFF, 0xFF8E42, 0 }));
    EXPECT_EQ(c.HEADERS2, (ColourPart { 0xFFFFFF, 0xFFFFFF, 0xF9D5C7, 0xC75C22, 0xFF8E42, 0 }));
    EXPECT_EQ(c.TASKS, (ColourPart { 0xF9E7E0, 0, 0, 0xBC3139, 0, 0xBC3139 }));
    EXPECT_EQ(panel.fontName(), QStringLiteral("Tahoma"));
    EXPECT_FALSE(panel.hasFonts());
    EXPECT_EQ(panel.margins().TOP, 20);
    EXPECT_EQ(panel.margins().LEFT, 10);
    EXPECT_EQ(panel.margins().RIGHT, 10);
    EXPECT_EQ(panel.margins().BOTTOM, 20);
    EXPECT_EQ(panel.tooltipMode(), TooltipsNormal);
    EXPECT_EQ(panel.tooltipMaxWidth(), 300);
    EXPECT_TRUE(panel.wordWrap());
    EXPECT_FALSE(panel.wizardMode());
}

struct ColourCase {
    const char* name;
    int part;
    bool disabledFromText;
    ColourPart ColourSchema::*member;
    ColourPart expected; // from the arguments 1..6 below
};

class SetColorsTest : public testing::TestWithParam<ColourCase> { };

TEST_P(SetColorsTest, StoresOnlyThePartsColours)
{
    const ColourCase& c = GetParam();
    TaskPanel panel;
    ColourSchema before = panel.colours();
    panel.SetColors(c.part, 1, 2, 3, 4, 5, 6, c.disabledFromText);
    ColourPart expected = c.expected;
    const ColourPart& old = before.*(c.member);
    // Colours the part does not store keep their old value.
    if (c.part == PanelColours) {
        expected.TEXT = old.TEXT;
        expected.HOVERED = old.HOVERED;
        expected.DISABLED = old.DISABLED;
    } else if (c.part != TaskColours) {
        expected.DISABLED = old.DISABLED;
    }
    EXPECT_EQ(panel.colours().*(c.member), expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Parts, SetColorsTest,
    testing::Values(ColourCase { "panel", PanelColours, false, &ColourSchema::PANEL, { 1, 2, 3, 0, 0, 0 } },
        ColourCase { "headers", HeaderColours, true, &ColourSchema::HEADERS, { 1, 2, 3, 4, 5, 0 } },
        ColourCase { "headers2", SecondHeaderColours, false, &ColourSchema::HEADERS2, { 1, 2, 3, 4, 5, 0 } },
        ColourCase { "tasks", TaskColours, false, &ColourSchema::TASKS, { 1, 2, 3, 4, 5, 6 } },
        ColourCase {
            "tasks, disabled from text", TaskColours, true, &ColourSchema::TASKS, { 1, 2, 3, 4, 5, 4 } }));

TEST(TaskPanelColours, UnknownPartChangesNothing)
{
    TaskPanel panel;
    const ColourSchema before = panel.colours();
    for (int part : { 0, 5, -1 })
        panel.SetColors(part, 1, 2, 3, 4, 5, 6, false);
    EXPECT_EQ(panel.colours().PANEL, before.PANEL);
    EXPECT_EQ(panel.colours().TASKS, before.TASKS);
}

TEST(TaskPanelColours, SystemColourIsStoredAsItsValueAtThatMoment)
{
    const QPalette original = QApplication::palette();
    QPalette palette = original;
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 20, 30));
    QApplication::setPalette(palette);

    TaskPanel panel;
    const quint32 highlight = colour::systemColour(colour::Highlight);
    panel.SetColors(TaskColours, highlight, 0x10000000u | colour::Highlight, 0, highlight, 0, 0, true);

    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 100, 50));
    QApplication::setPalette(palette); // a later change does not reach the panel
    const ColourPart& tasks = panel.colours().TASKS;
    EXPECT_EQ(tasks.BACKGROUND, colour::fromRgb(10, 20, 30));
    EXPECT_EQ(tasks.GRADIENTFROM, colour::fromRgb(10, 20, 30)); // any of the four high bits will do
    EXPECT_EQ(tasks.DISABLED, colour::fromRgb(10, 20, 30));
    EXPECT_EQ(tasks.GRADIENTTO, 0u);
    QApplication::setPalette(original);
}

TEST(TaskPanelSettings, MarginsFollowTheirFlags)
{
    TaskPanel panel;
    panel.SetMargins(4, 10, 99, true, 10, false);
    EXPECT_EQ(panel.margins().LEFT, 4);
    EXPECT_EQ(panel.margins().TOP, 10);
    EXPECT_EQ(panel.margins().RIGHT, 4);
    EXPECT_EQ(panel.margins().BOTTOM, 10);
    panel.SetMargins(5, 20, 7, false, 99, true);
    EXPECT_EQ(panel.margins().RIGHT, 7);
    EXPECT_EQ(panel.margins().BOTTOM, 10);
}

TEST(TaskPanelSettings, SetFontMakesFiveThirteenPixelFonts)
{
    TaskPanel panel;
    panel.SetFont("MS Sans Serif");
    EXPECT_TRUE(panel.hasFonts());
    EXPECT_EQ(panel.fontName(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(panel.headerFont().pixelSize(), 13);
    EXPECT_EQ(panel.headerFont().weight(), QFont::Bold);
    // Through the program's substitution, the name kept as given.
    EXPECT_EQ(panel.headerFont().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(panel.taskFont(false, false).weight(), QFont::Normal);
    EXPECT_TRUE(panel.taskFont(false, true).underline());
    EXPECT_EQ(panel.taskFont(true, true).weight(), QFont::Bold);
    EXPECT_TRUE(panel.taskFont(true, true).underline());
    EXPECT_FALSE(panel.taskFont(true, false).underline());
    panel.SetAppName("nidora.EXE   ");
    EXPECT_EQ(panel.appName(), QStringLiteral("nidora.EXE"));
}

class TaskPanelHeaderOps : public testing::Test {
protected:
    TaskPanel panel { idsFrom({ 100, 1, 2, 200, 1 }) };
    void SetUp() override
    {
        panel.AddHeader("A", "", 0, true, false, 16, false); // 100 with tasks 1, 2
        panel.AddTask("a1", "", "", 0, false, false);
        panel.AddTask("a2", "", "", 0, false, false);
        panel.AddHeader("B", "", 0, true, false, 16, false); // 200 with task 1
        panel.AddTask("b1", "", "", 0, false, false);
    }
};

TEST_F(TaskPanelHeaderOps, CurrentMeansTheHeaderOrTaskLastAddedOrLookedUp)
{
    panel.SetHeaderAlwaysExpanded(0, true, true, false);
    EXPECT_TRUE(panel.header(200)->ISALWAYSEXPANDED);
    panel.SetHeaderBoxed(100, false); // looks header 100 up
    panel.SetHeaderAlwaysExpanded(0, true, false, true); // force
    EXPECT_TRUE(panel.header(100)->ISALWAYSEXPANDED);

    panel.SetTaskBold(0, 0, true, false, true); // the task last added: 200/1
    EXPECT_TRUE(panel.task(200, 1)->ISBOLD);
    EXPECT_FALSE(panel.task(100, 1)->ISBOLD);
    panel.SetTaskTooltip(100, 2, "tip"); // looks 100/2 up
    panel.SetTaskBold(0, 0, true, true, false);
    EXPECT_TRUE(panel.task(100, 2)->ISBOLD);
}

TEST_F(TaskPanelHeaderOps, ExpandedAndBoxedAndBold)
{
    panel.SetHeaderExpanded(100, false, false);
    EXPECT_FALSE(panel.header(100)->ISEXPANDED);
    panel.SetHeaderExpanded(100, false, true);
    EXPECT_TRUE(panel.header(100)->ISEXPANDED);
    panel.SetHeaderBoxed(200, true);
    EXPECT_TRUE(panel.header(200)->ISBOXED);
    panel.SetTaskBold(100, 1, true, false, false);
    EXPECT_TRUE(panel.task(100, 1)->ISBOLD);
    EXPECT_FALSE(panel.task(200, 1)->ISBOLD); // same task id, other header
}

// Takes the parts of the panel every operation could touch, to compare before and after.
struct Snapshot {
    std::vector<std::tuple<qint32, bool, bool, bool, int>> headers;
    std::vector<std::tuple<qint32, qint32, bool, QString>> tasks;
    explicit Snapshot(const TaskPanel& p)
    {
        for (const HeaderRecord& h : p.headers()) {
            headers.emplace_back(h.ID, h.ISEXPANDED, h.ISBOXED, h.ISALWAYSEXPANDED, int(h.TASKQUEUE.size()));
            for (const TaskRecord& t : h.TASKQUEUE)
                tasks.emplace_back(h.ID, t.ID, t.ISBOLD, t.TOOLTIP);
        }
    }
    bool operator==(const Snapshot&) const = default;
};

TEST_F(TaskPanelHeaderOps, UnknownIdsChangeNothing)
{
    const Snapshot before(panel);
    panel.SetHeaderExpanded(999, false, false);
    panel.SetHeaderExpanded(0, false, false);
    panel.SetHeaderBoxed(999, true);
    panel.SetHeaderAlwaysExpanded(999, false, true, true);
    panel.SetTaskBold(999, 1, true, false, false); // no such header
    panel.SetTaskBold(100, 999, true, false, false); // no such task in it
    panel.SetTaskBold(200, 2, true, false, false); // 2 exists, but in the other header
    panel.SetTaskTooltip(999, 1, "x");
    panel.SetTaskTooltip(100, 999, "x");
    EXPECT_EQ(panel.header(999), nullptr);
    EXPECT_EQ(panel.task(200, 2), nullptr);
    EXPECT_TRUE(Snapshot(panel) == before);
}

TEST(TaskPanelLifecycle, KillBeforeInitOrTwiceDoesNothing)
{
    TaskPanel panel;
    panel.SetFont("Tahoma");
    panel.Kill(); // before Init: nothing to give back, and the fonts stay
    EXPECT_TRUE(panel.hasFonts());
    EXPECT_FALSE(panel.isInited());

    QWidget control;
    control.resize(200, 300);
    panel.Init(&control);
    EXPECT_TRUE(panel.isInited());
    ASSERT_NE(panel.widget(), nullptr);
    EXPECT_EQ(panel.widget()->parentWidget(), &control);
    panel.Kill();
    EXPECT_FALSE(panel.isInited());
    EXPECT_FALSE(panel.hasFonts());
    EXPECT_EQ(panel.widget(), nullptr);
    panel.Kill();
    EXPECT_FALSE(panel.isInited());
}

TEST(TaskPanelLifecycle, InitWithoutControlOrTwiceKeepsTheFirst)
{
    TaskPanel panel;
    panel.Init(nullptr);
    EXPECT_FALSE(panel.isInited());
    QWidget first;
    QWidget second;
    panel.Init(&first);
    panel.Init(&second);
    EXPECT_EQ(panel.control(), &first);
}

} // namespace
} // namespace nidora::controls
