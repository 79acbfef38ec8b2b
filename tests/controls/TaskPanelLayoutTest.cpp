#include "controls/TaskPanelLayout.h"
#include "controls/TaskPanel.h"

#include <gtest/gtest.h>

#include <vector>

namespace nidora::controls {
namespace {

// Text heights without fonts: one line is 15 pixels; a title with "long" in it wraps to 40.
int fakeTextHeight(const QString& text, const QFont&, int, bool wrap)
{
    return wrap && text.contains(QStringLiteral("long")) ? 40 : 15;
}

struct Click {
    qint32 header;
    qint32 task;
    qint32 value;
    bool operator==(const Click&) const = default;
};

class RecordingPanel : public TaskPanel {
public:
    using TaskPanel::TaskPanel;
    void OnClick(qint32 headerId, qint32 taskId, bool leftButton, qint32 value) override
    {
        EXPECT_TRUE(leftButton);
        clicks.push_back({ headerId, taskId, value });
    }
    std::vector<Click> clicks;
};

TaskPanelLayout layOutAndStore(TaskPanel& panel, int width = 200)
{
    TaskPanelLayout layout = layOutTaskPanel(panel, width, fakeTextHeight);
    panel.setMouseAreas(layout);
    return layout;
}

struct RowCase {
    const char* name;
    int iconSize;
    QString title;
    bool panelWrap;
    bool headerWrap;
    int height;
    bool wrapped;
};

class RowHeightTest : public testing::TestWithParam<RowCase> { };

TEST_P(RowHeightTest, RowIsTheIconBoxOrTheWrappedTextPlusSix)
{
    const RowCase& c = GetParam();
    TaskPanel panel;
    panel.setWordWrap(c.panelWrap);
    const qint32 h = panel.AddHeader("H", "", 0, true, false, c.iconSize, false);
    panel.header(h)->WORDWRAP = c.headerWrap;
    panel.AddTask(c.title, "syringe.ico", "", 0, false, false);
    const TaskPanelLayout layout = layOutTaskPanel(panel, 200, fakeTextHeight);
    ASSERT_EQ(layout.groups.size(), 1u);
    ASSERT_EQ(layout.groups[0].rows.size(), 1u);
    const TaskRowLayout& row = layout.groups[0].rows[0];
    EXPECT_EQ(row.height, c.height) << c.name;
    EXPECT_EQ(row.wrapped, c.wrapped) << c.name;
    // The text starts right of the icon box; wrapped text moves down 2 pixels.
    EXPECT_EQ(row.textRect.left(), 10 + row.iconBox + 6) << c.name;
    EXPECT_EQ(row.textRect.top(), row.top + (c.wrapped ? 2 : 0)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(IconSizes, RowHeightTest,
    testing::Values(RowCase { "16", 16, "Parto", true, true, 20, false },
        RowCase { "24", 24, "Parto", true, true, 25, false },
        RowCase { "32", 32, "Parto", true, true, 33, false },
        RowCase { "48", 48, "Parto", true, true, 49, false },
        RowCase { "wrapped title", 16, "a long title", true, true, 46, true },
        RowCase { "wrapped, still within 48", 48, "a long title", true, true, 49, false },
        RowCase { "header does not wrap", 16, "a long title", true, false, 20, false },
        RowCase { "panel does not wrap", 16, "a long title", false, true, 20, false }));

TEST(TaskPanelLayout, RealFontsWrapALongTitleOnly)
{
    TaskPanel panel;
    panel.SetFont("Tahoma");
    panel.AddHeader("H", "", 0, true, false, 16, false);
    panel.AddTask("Datos", "a.ico", "", 0, false, false);
    panel.AddTask(
        "Antecedentes familiares de la madre y del padre del paciente", "a.ico", "", 0, false, false);
    const TaskPanelLayout layout = layOutTaskPanel(panel, 180);
    EXPECT_EQ(layout.groups[0].rows[0].height, 20);
    EXPECT_TRUE(layout.groups[0].rows[1].wrapped);
    EXPECT_GT(layout.groups[0].rows[1].height, 2 * 13 + 6);
}

TEST(TaskPanelLayout, OnePassGivesSlotsRowsAndContentHeight)
{
    TaskPanel panel;
    panel.AddHeader("A", "", 0, true, false, 16, false);
    panel.AddTask("a1", "x.ico", "", 0, false, false);
    panel.AddTask("a2", "x.ico", "", 0, false, false);
    panel.AddHeader("B", "", 0, false, false, 16, false); // collapsed
    panel.AddTask("b1", "x.ico", "", 0, false, false);
    const qint32 c = panel.AddHeader("C", "", 0, true, false, 16, false); // no tasks
    panel.AddHeader("D", "", 0, true, false, 16, false);
    panel.SetHeaderBoxed(c, true);

    const TaskPanelLayout layout = layOutTaskPanel(panel, 200, fakeTextHeight);
    ASSERT_EQ(layout.groups.size(), 4u);
    // A: slot at 20, rows at 50 and 70, then the gap of bottom margin + 5.
    EXPECT_EQ(layout.groups[0].top, 20);
    EXPECT_EQ(layout.groups[0].rows[0].top, 50);
    EXPECT_EQ(layout.groups[0].rows[1].top, 70);
    EXPECT_EQ(layout.groups[0].tasksBottom(), 90);
    // B collapsed: its slot less 10, then the gap.
    EXPECT_EQ(layout.groups[1].top, 115);
    EXPECT_TRUE(layout.groups[1].rows.empty());
    // C boxed and empty: one pixel less 10, then the gap.
    EXPECT_EQ(layout.groups[2].top, 160);
    EXPECT_EQ(layout.groups[3].top, 176);
    EXPECT_EQ(layout.contentHeight, 176 + 30 - 10 + 25);
}

TEST(TaskPanelLayout, ContentHeightCoversTheLastGroupsFrame)
{
    TaskPanel panel;
    panel.SetMargins(5, 20, 5, true, -10, false); // a negative gap between groups
    panel.AddHeader("A", "", 0, true, false, 16, false);
    panel.AddTask("a1", "x.ico", "", 0, false, false);
    const TaskPanelLayout layout = layOutTaskPanel(panel, 200, fakeTextHeight);
    EXPECT_GE(layout.contentHeight, layout.groups[0].tasksBottom() + groupFrameDepth);
}

struct ScrollCase {
    int position;
    int content;
    int view;
    int expected;
};

class ScrollClampTest : public testing::TestWithParam<ScrollCase> { };

TEST_P(ScrollClampTest, HeldBetweenZeroAndContentLessView)
{
    const ScrollCase& c = GetParam();
    EXPECT_EQ(clampedScrollPosition(c.position, c.content, c.view), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollClampTest,
    testing::Values(ScrollCase { 40, 200, 300, 0 }, // fits: always 0
        ScrollCase { 0, 300, 300, 0 }, // exactly fits
        ScrollCase { -5, 500, 300, 0 }, ScrollCase { 150, 500, 300, 150 }, ScrollCase { 200, 500, 300, 200 },
        ScrollCase { 260, 500, 300, 200 })); // past the end: the last row stays fully in view

// A panel 200 wide: L = 10, R = 190; header A's band from y 20 to 45, its rows at 50 and 70.
class TaskPanelHitTest : public testing::Test {
protected:
    RecordingPanel panel { [n = 0]() mutable { return ++n; } };
    qint32 a = 0, a1 = 0, a2 = 0, b = 0, b1 = 0;
    void SetUp() override
    {
        a = panel.AddHeader("A", "", 0, true, false, 16, false);
        a1 = panel.AddTask("a1", "x.ico", "", 101, false, false);
        a2 = panel.AddTask("a2", "x.ico", "", 102, false, false);
        b = panel.AddHeader("B", "", 0, true, false, 16, false);
        b1 = panel.AddTask("b1", "x.ico", "", 201, false, false);
        layOutAndStore(panel);
    }
    int bTop() const { return 115; }
};

struct PointCase {
    QPoint point;
    int expected; // 0 nothing, 1 header A, 2 task a1, 3 task a2
};

class HalfOpenClickTest : public TaskPanelHitTest, public testing::WithParamInterface<PointCase> { };

TEST_P(HalfOpenClickTest, LeftAndTopEdgesHitRightAndBottomEdgesDoNot)
{
    const PointCase& c = GetParam();
    panel.clickAt(c.point);
    const std::vector<std::vector<Click>> expected
        = { {}, { { a, 0, 1 } }, { { a, a1, 101 } }, { { a, a2, 102 } } };
    EXPECT_EQ(panel.clicks, expected[c.expected]) << c.point.x() << "," << c.point.y();
}

INSTANTIATE_TEST_SUITE_P(Boundaries, HalfOpenClickTest,
    testing::Values(PointCase { { 10, 20 }, 1 }, PointCase { { 189, 44 }, 1 }, PointCase { { 190, 20 }, 0 },
        PointCase { { 9, 20 }, 0 }, PointCase { { 10, 19 }, 0 }, PointCase { { 10, 45 }, 0 },
        PointCase { { 10, 50 }, 2 }, PointCase { { 189, 69 }, 2 }, PointCase { { 10, 70 }, 3 },
        PointCase { { 10, 89 }, 3 }, PointCase { { 10, 90 }, 0 }));

TEST_F(TaskPanelHitTest, AlwaysExpandedBoxedAndDisabledAreNotClickable)
{
    panel.SetHeaderAlwaysExpanded(a, false, true, false);
    panel.task(a, a2)->ISDISABLED = true;
    EXPECT_FALSE(panel.clickAt({ 50, 30 }));
    EXPECT_FALSE(panel.trackHover({ 50, 30 }));
    EXPECT_FALSE(panel.clickAt({ 50, 75 }));
    EXPECT_FALSE(panel.trackHover({ 50, 75 }));
    EXPECT_TRUE(panel.clicks.empty());
}

TEST_F(TaskPanelHitTest, BoxedHeaderHasAnEmptyHitArea)
{
    panel.SetHeaderBoxed(b, true);
    const TaskPanelLayout layout = layOutAndStore(panel);
    const MouseRect& area = panel.header(b)->MOUSERECT;
    EXPECT_TRUE(area.isEmpty());
    EXPECT_EQ(area.TOP, bTop());
    for (const QPoint p : { QPoint(10, bTop()), QPoint(100, bTop()), QPoint(100, bTop() - 1) }) {
        EXPECT_FALSE(panel.clickAt(p));
        EXPECT_FALSE(panel.trackHover(p));
    }
    EXPECT_TRUE(panel.clicks.empty());
    // Its task row follows the one-pixel line directly.
    EXPECT_EQ(layout.groups[1].rows[0].top, bTop() + 1);
}

TEST_F(TaskPanelHitTest, HeaderClickReportsExpansionAndCollapsedTasksAreNotHit)
{
    panel.SetHeaderExpanded(a, false, false); // not yet laid out again: A's rows still have areas
    panel.clickAt({ 50, 30 });
    panel.clickAt({ 50, 55 });
    EXPECT_EQ(panel.clicks, (std::vector<Click> { { a, 0, 0 } }));
}

TEST_F(TaskPanelHitTest, HoverMarksOnlyWhatIsUnderThePoint)
{
    EXPECT_TRUE(panel.trackHover({ 50, 55 }));
    EXPECT_TRUE(panel.task(a, a1)->ISHOVERED);
    EXPECT_TRUE(panel.trackHover({ 50, 30 }));
    EXPECT_TRUE(panel.header(a)->ISHOVERED);
    EXPECT_FALSE(panel.task(a, a1)->ISHOVERED);
    // Moving from a task onto an always-expanded header leaves no task marked.
    panel.SetHeaderAlwaysExpanded(a, false, true, false);
    panel.trackHover({ 50, 55 });
    EXPECT_FALSE(panel.trackHover({ 50, 30 }));
    EXPECT_FALSE(panel.task(a, a1)->ISHOVERED);
    EXPECT_FALSE(panel.header(a)->ISHOVERED);
    panel.trackHover({ 50, bTop() + 35 });
    panel.clearHover();
    EXPECT_FALSE(panel.task(b, b1)->ISHOVERED);
}

TEST_F(TaskPanelHitTest, HiddenTaskLosesItsAreaAndTooltipSoNothingStaleIsHit)
{
    panel.SetTaskTooltip(a, a2, "Vacunas aplicadas");
    const MouseRect before = panel.task(a, a2)->MOUSERECT;
    const QPoint inside(50, before.TOP + 5);
    ASSERT_EQ(panel.tooltipTaskAt(inside), panel.task(a, a2));
    panel.task(a, a2)->ISVISIBLE = false;
    EXPECT_EQ(panel.tooltipTaskAt(inside), nullptr); // even before the next layout pass
    layOutAndStore(panel);
    EXPECT_TRUE(panel.task(a, a2)->MOUSERECT.isEmpty());
    // Where a2 was is now the gap below A's rows.
    EXPECT_EQ(panel.tooltipTaskAt(inside), nullptr);
    EXPECT_FALSE(panel.trackHover(inside));
    EXPECT_FALSE(panel.clickAt(inside));
    EXPECT_TRUE(panel.clicks.empty());
}

TEST_F(TaskPanelHitTest, WizardBoldMovesBetweenHeaders)
{
    panel.SetWizardMode(true);
    panel.clickAt({ 50, 55 }); // a1
    EXPECT_TRUE(panel.task(a, a1)->ISBOLD);
    panel.clickAt({ 50, bTop() + 35 }); // b1
    EXPECT_FALSE(panel.task(a, a1)->ISBOLD);
    EXPECT_TRUE(panel.task(b, b1)->ISBOLD);
    EXPECT_EQ(panel.wizardLastHeaderId(), b);
    EXPECT_EQ(panel.wizardLastTaskId(), b1);
    // A header left out of wizard marking keeps the bold where it was.
    panel.header(a)->DONTWIZARD = true;
    panel.clickAt({ 50, 75 }); // a2
    EXPECT_FALSE(panel.task(a, a2)->ISBOLD);
    EXPECT_TRUE(panel.task(b, b1)->ISBOLD);
    EXPECT_EQ(panel.clicks.size(), 3u);
}

TEST_F(TaskPanelHitTest, WithoutWizardModeNothingTurnsBold)
{
    panel.clickAt({ 50, 55 });
    EXPECT_FALSE(panel.task(a, a1)->ISBOLD);
    EXPECT_EQ(panel.wizardLastTaskId(), 0);
}

} // namespace
} // namespace nidora::controls
