#pragma once

#include "controls/TaskPanelRecords.h"

#include <QFont>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace nidora::controls {

struct TaskPanelLayout;
class TaskPanelWidget;
class MirroredButtonWatcher;

enum TooltipMode : int {
    TooltipsOff = 0,
    TooltipsNormal = 1,
    TooltipsBalloon = 2, // shown as normal tooltips: Qt has no balloon style
};

// The five fonts SetFont makes; none exist before it is called.
struct TaskPanelFonts {
    QFont HEADER;
    QFont TASK[2][2]; // [bold][hovered]: plain, plain underlined, bold, bold underlined
};

// A side menu of groups, each a header with a list of clickable tasks, shown in place of one
// control of its window. Owners derive from it, add their headers and tasks in their Init
// override before calling TaskPanel::Init, and act on clicks in their OnClick override.
//
// Headers and tasks are named by ids: a header's id is unique in the panel, a task's id only in
// its header, so a task is always named by both. Operations that name a header or task the
// panel does not hold change nothing.
class TaskPanel {
public:
    using IdSource = std::function<qint32()>; // draws candidate ids, from 1 to 2,147,483,647
    using ButtonLookup = std::function<QAbstractButton*(qint32 control)>;

    // Without an id source, ids are drawn at random.
    explicit TaskPanel(IdSource ids = {});
    virtual ~TaskPanel();
    TaskPanel(const TaskPanel&) = delete;
    TaskPanel& operator=(const TaskPanel&) = delete;

    // Takes the control's place in its window: the panel is shown over it, follows its size and
    // answers the mouse there. A null control, or a second Init while attached, does nothing.
    virtual void Init(QWidget* control);
    // Gives the control back as it was and drops the fonts. Does nothing while not attached.
    virtual void Kill();
    // Called after a click: on a header, taskId is 0 and value is the header's ISEXPANDED
    // before the click; on a task, value is its LEFTACTIONFEQ. The panel toggles nothing itself.
    virtual void OnClick(qint32 headerId, qint32 taskId, bool leftButton, qint32 value);

    // Appends a header and makes it the one AddTask adds to. Returns its id.
    qint32 AddHeader(const QString& title, const QString& icon, int style, bool expanded, bool forceExpanded,
        int iconSize, bool defaultIconSize);
    // Appends a task to the header last added and returns its id; returns 0 and adds nothing when
    // no header has been added. With mirrorButton set, the button found for actionControl is
    // watched at once (see setButtonLookup).
    qint32 AddTask(const QString& title, const QString& icon, const QString& tooltip, qint32 actionControl,
        bool mirrorButton, bool noButtonIcon);
    // Stores one part's colours (part numbers as ColourPartNumber; others change nothing). A system
    // colour value is stored as the colour it names at this moment.
    void SetColors(int part, quint32 background, quint32 gradientFrom, quint32 gradientTo, quint32 text,
        quint32 hovered, quint32 disabled, bool disabledFromText);
    void SetMargins(int left, int top, int right, bool rightEqualsLeft, int bottom, bool keepBottom);
    void SetFont(const QString& faceName);
    void SetAppName(const QString& moduleName);
    void SetWizardMode(bool on);
    void SetTooltipMaxWidth(int width);
    // With current set, acts on the header last added or looked up instead of looking one up.
    void SetHeaderAlwaysExpanded(qint32 headerId, bool current, bool value, bool force);
    // Takes effect at the next paint; the panel is not repainted here.
    void SetHeaderExpanded(qint32 headerId, bool expanded, bool force);
    void SetHeaderBoxed(qint32 headerId, bool boxed);
    // With either flag set, acts on the task last added or looked up instead of looking one up.
    void SetTaskBold(qint32 headerId, qint32 taskId, bool bold, bool currentHeader, bool currentTask);
    void SetTaskTooltip(qint32 headerId, qint32 taskId, const QString& text);
    void Refresh();

    // Settings that owners change without an operation of their own.
    void setWordWrap(bool on) { wordWrap_ = on; }
    void setTooltipMode(TooltipMode mode) { tooltipMode_ = mode; }
    // How a task's action control is found when the task mirrors a button.
    void setButtonLookup(ButtonLookup lookup) { buttonLookup_ = std::move(lookup); }

    const std::deque<HeaderRecord>& headers() const { return headers_; }
    // The records themselves, for owners that hide, disable or align tasks; null when missing.
    // They stay valid while the panel lives.
    HeaderRecord* header(qint32 headerId);
    const HeaderRecord* header(qint32 headerId) const;
    TaskRecord* task(qint32 headerId, qint32 taskId);
    const TaskRecord* task(qint32 headerId, qint32 taskId) const;

    qint32 currentHeaderId() const { return currHeader_; } // NCURRHEADER
    qint32 currentTaskId() const { return currTask_; } // NCURRTASK
    const ColourSchema& colours() const { return colours_; }
    const PanelMargins& margins() const { return margins_; }
    const QString& fontName() const { return fontName_; }
    const QString& appName() const { return appName_; }
    bool hasFonts() const { return fonts_.has_value(); }
    // The fonts to draw with; the application font until SetFont has made them.
    QFont headerFont() const;
    QFont taskFont(bool bold, bool hovered) const;
    bool isInited() const { return inited_; }
    bool wizardMode() const { return wizardMode_; }
    qint32 wizardLastHeaderId() const { return wizardLastHeader_; }
    qint32 wizardLastTaskId() const { return wizardLastTask_; }
    bool wordWrap() const { return wordWrap_; }
    TooltipMode tooltipMode() const { return tooltipMode_; }
    int tooltipMaxWidth() const { return tooltipMaxWidth_; }
    int scrollPos() const { return scrollPos_; }
    void setScrollPos(int pos) { scrollPos_ = pos; }
    QWidget* control() const { return control_; }
    TaskPanelWidget* widget() const;

    // Pointer handling in content coordinates (y = 0 at the top of the content), on the areas the
    // last layout pass stored. Both answer whether the point hit a header or task.
    bool trackHover(QPoint contentPoint);
    bool clickAt(QPoint contentPoint);
    void clearHover();
    // The task whose tooltip shows at the point: a visible task of an expanded group that has one.
    const TaskRecord* tooltipTaskAt(QPoint contentPoint) const;
    // Stores the clickable areas of a layout pass; whatever it did not lay out gets none.
    void setMouseAreas(const TaskPanelLayout& layout);
    // Copies each mirrored button's text, icon and state into its task.
    void updateMirroredTasks();

private:
    HeaderRecord* lookUpHeader(qint32 headerId);
    TaskRecord* lookUpTask(qint32 headerId, qint32 taskId);
    qint32 newId(const std::function<bool(qint32)>& taken);
    void watchButton(TaskRecord& task);
    void markWizardTask(qint32 headerId, qint32 taskId);

    IdSource ids_;
    ButtonLookup buttonLookup_;
    std::deque<HeaderRecord> headers_;
    qint32 currHeader_ = 0;
    qint32 currTask_ = 0;
    qint32 lookedUpHeader_ = 0; // the header last added or looked up
    qint32 lookedUpTaskHeader_ = 0; // and the task, by its header's id and its own
    qint32 lookedUpTask_ = 0;
    ColourSchema colours_;
    PanelMargins margins_;
    QString fontName_ = QStringLiteral("Tahoma");
    QString appName_;
    std::optional<TaskPanelFonts> fonts_;
    bool inited_ = false;
    TooltipMode tooltipMode_ = TooltipsNormal;
    int tooltipMaxWidth_ = 300;
    bool wizardMode_ = false;
    qint32 wizardLastHeader_ = 0;
    qint32 wizardLastTask_ = 0;
    bool wordWrap_ = true;
    int scrollPos_ = 0;
    QPointer<QWidget> control_;
    QPointer<TaskPanelWidget> widget_;
    std::unique_ptr<MirroredButtonWatcher> buttonWatcher_;
};

} // namespace nidora::controls
