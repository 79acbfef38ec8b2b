#include "controls/TaskPanelWidget.h"
#include "controls/TaskPanel.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace nidora::controls {
namespace {

struct Click {
    qint32 header;
    qint32 task;
    qint32 value;
    bool operator==(const Click&) const = default;
};

// A panel set up the way the patient form sets up its own, except that its headers can be
// collapsed, so that a header click has something to do.
class PatientFormPanel : public TaskPanel {
public:
    qint32 clinica = 0;
    qint32 prenatal = 0;
    std::vector<qint32> clinicaTasks;
    std::vector<qint32> prenatalTasks;
    std::vector<Click> clicks;

    void Init(QWidget* control) override
    {
        clinica = AddHeader("Clínica", "", 0, true, false, 32, false);
        for (const char* title :
            { "Datos", "Consultas", "Vacunas", "Alimentación", "Hitos motores", "Patologías" })
            clinicaTasks.push_back(AddTask(QString::fromUtf8(title), "stethoscope.ico", "", 0, false, false));
        prenatal = AddHeader("Prenatal", "", 0, true, false, 16, false);
        for (const char* title : { "Embarazo", "Parto", "Antecedentes Familiares" })
            prenatalTasks.push_back(AddTask(QString::fromUtf8(title), "embarazo.ICO", "", 0, false, false));
        SetColors(HeaderColours, 0xF9E7E0, 0xB24D07, 0xC75C22, 0xFFFFFF, 0xFF8E42, 0, false);
        SetColors(SecondHeaderColours, 0xF9E7E0, 0xFFFFFF, 0xF9D5C7, 0xC75C22, 0xFF8E42, 0, false);
        SetColors(TaskColours, 0xF9E7E0, 0, 0, 0xBC3139, 0, 0, false);
        SetFont("MS Sans Serif");
        SetMargins(4, 10, 4, false, 10, false);
        SetAppName("nidora.EXE");
        SetWizardMode(true);
        TaskPanel::Init(control);
    }

    void OnClick(qint32 headerId, qint32 taskId, bool, qint32 value) override
    {
        clicks.push_back({ headerId, taskId, value });
        if (taskId == 0)
            SetHeaderExpanded(headerId, !value, false);
    }
};

class TaskPanelWidgetTest : public testing::Test {
protected:
    QWidget window;
    QWidget* control = new QWidget(&window);
    PatientFormPanel panel;

    void SetUp() override
    {
        window.resize(220, 500);
        control->setGeometry(0, 0, 200, 500);
        panel.Init(control);
        window.show();
        layOut();
    }

    TaskPanelWidget& widget() { return *panel.widget(); }
    // Painting lays the panel out and stores the areas the mouse works on.
    void layOut() { (void)widget().grab(); }

    // The middle of an area, in the widget's coordinates.
    QPoint centreOf(const MouseRect& r)
    {
        return { (r.LEFT + r.RIGHT) / 2, (r.TOP + r.BOTTOM) / 2 - panel.scrollPos() };
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, widget().mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&widget(), &event);
    }
    void click(QPoint at)
    {
        send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        layOut();
    }
    void hover(QPoint at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void wheel(int delta)
    {
        const QPoint at(50, 50);
        QWheelEvent event(at, widget().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget(), &event);
        layOut();
    }
    const TaskRecord& clinicaTask(int i) { return *panel.task(panel.clinica, panel.clinicaTasks[i]); }
};

TEST_F(TaskPanelWidgetTest, ClickOnReleaseReportsTheTaskAndMakesItBold)
{
    const QPoint vacunas = centreOf(clinicaTask(2).MOUSERECT);
    send(QEvent::MouseButtonPress, vacunas, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(panel.clicks.empty()); // a press alone does nothing
    send(QEvent::MouseButtonRelease, vacunas, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(panel.clicks, (std::vector<Click> { { panel.clinica, panel.clinicaTasks[2], 0 } }));
    EXPECT_TRUE(clinicaTask(2).ISBOLD);

    layOut();
    const TaskRecord& parto = *panel.task(panel.prenatal, panel.prenatalTasks[1]);
    click(centreOf(parto.MOUSERECT));
    EXPECT_EQ(panel.clicks.back(), (Click { panel.prenatal, panel.prenatalTasks[1], 0 }));
    EXPECT_TRUE(parto.ISBOLD);
    EXPECT_FALSE(clinicaTask(2).ISBOLD);
}

TEST_F(TaskPanelWidgetTest, RightButtonDoesNotClick)
{
    const QPoint datos = centreOf(clinicaTask(0).MOUSERECT);
    send(QEvent::MouseButtonPress, datos, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, datos, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(panel.clicks.empty());
}

TEST_F(TaskPanelWidgetTest, HoverShowsTheHandAndStartsTheLeaveCheck)
{
    EXPECT_FALSE(widget().isHoverTimerRunning());
    hover(centreOf(clinicaTask(1).MOUSERECT));
    EXPECT_TRUE(clinicaTask(1).ISHOVERED);
    EXPECT_EQ(widget().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(widget().isHoverTimerRunning());
    hover({ 1, 2 }); // the margin above the first header
    EXPECT_FALSE(clinicaTask(1).ISHOVERED);
    EXPECT_EQ(widget().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(TaskPanelWidgetTest, HeaderClickCollapsesThroughTheOwner)
{
    const MouseRect band = panel.header(panel.clinica)->MOUSERECT;
    click(centreOf(band));
    EXPECT_EQ(panel.clicks, (std::vector<Click> { { panel.clinica, 0, 1 } }));
    EXPECT_FALSE(panel.header(panel.clinica)->ISEXPANDED);
    ASSERT_EQ(widget().lastLayout().groups.size(), 2u);
    EXPECT_TRUE(widget().lastLayout().groups[0].rows.empty());
    // Its tasks are gone from under the mouse; the next group moved up.
    EXPECT_TRUE(clinicaTask(0).MOUSERECT.isEmpty());
    EXPECT_LT(panel.header(panel.prenatal)->MOUSERECT.TOP, 100);
    click(centreOf(band));
    EXPECT_TRUE(panel.header(panel.clinica)->ISEXPANDED);
}

TEST_F(TaskPanelWidgetTest, WheelScrollsASmallPanelWithinItsContent)
{
    EXPECT_FALSE(widget().scrollBar()->isVisible()); // all fits: no scroll bar, no offset
    EXPECT_EQ(panel.scrollPos(), 0);

    control->resize(200, 120);
    layOut();
    const int content = widget().lastLayout().contentHeight;
    ASSERT_GT(content, 120);
    EXPECT_TRUE(widget().scrollBar()->isVisible());

    wheel(-120); // one notch down: one line step
    EXPECT_EQ(panel.scrollPos(), QApplication::wheelScrollLines());
    wheel(-120 * 1000);
    EXPECT_EQ(panel.scrollPos(), content - 120);
    // Scrolled to the bottom, the last row and the frame under it are wholly in view.
    const TaskRecord& last = *panel.task(panel.prenatal, panel.prenatalTasks[2]);
    EXPECT_LE(last.MOUSERECT.BOTTOM + groupFrameDepth, panel.scrollPos() + 120);
    wheel(120 * 1000);
    EXPECT_EQ(panel.scrollPos(), 0);

    // Grown back so that all fits, the next paint drops the offset.
    wheel(-120 * 1000);
    control->resize(200, 500);
    layOut();
    EXPECT_EQ(panel.scrollPos(), 0);
    EXPECT_FALSE(widget().scrollBar()->isVisible());
}

TEST_F(TaskPanelWidgetTest, ClicksAndTooltipsFollowTheScrolledView)
{
    control->resize(200, 120);
    layOut();
    wheel(-120 * 1000);
    const TaskRecord& embarazo = *panel.task(panel.prenatal, panel.prenatalTasks[0]);
    panel.SetTaskTooltip(panel.prenatal, panel.prenatalTasks[0], "Datos del embarazo");
    const QPoint at = centreOf(embarazo.MOUSERECT);
    ASSERT_GE(at.y(), 0);
    ASSERT_LT(at.y(), 120);
    QHelpEvent help(QEvent::ToolTip, at, widget().mapToGlobal(at));
    QApplication::sendEvent(&widget(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Datos del embarazo"));
    QToolTip::hideText();
    click(at);
    EXPECT_EQ(panel.clicks.back(), (Click { panel.prenatal, panel.prenatalTasks[0], 0 }));
}

TEST_F(TaskPanelWidgetTest, KillGivesTheControlBack)
{
    panel.Kill();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(control->findChildren<TaskPanelWidget*>().isEmpty());
    EXPECT_FALSE(panel.isInited());
}

} // namespace
} // namespace nidora::controls
