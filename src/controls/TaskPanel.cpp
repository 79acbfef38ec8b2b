#include "controls/TaskPanel.h"

#include "controls/TaskPanelWidget.h"
#include "core/TextClip.h"
#include "framework/Colour.h"
#include "framework/FontSubstitution.h"

#include <QApplication>
#include <QEvent>
#include <QRandomGenerator>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace nidora::controls {

// Watches the buttons that tasks mirror, so that the panel follows a button being enabled or
// disabled; it lets every event through to the button.
class MirroredButtonWatcher : public QObject {
public:
    explicit MirroredButtonWatcher(TaskPanel& panel)
        : panel_(panel)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange)
            panel_.Refresh();
        return QObject::eventFilter(watched, event);
    }

private:
    TaskPanel& panel_;
};

namespace {

constexpr int maxTooltipLength = 512;

quint32 storedColour(quint32 value)
{
    return colour::isSystemColour(value) ? colour::fromQColor(colour::toQColor(value)) : value;
}

// A button's text as it reads, without the "&" that marks its shortcut letter.
QString withoutMnemonic(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text.at(i);
    }
    return plain;
}

qint32 randomId()
{
    return qint32(QRandomGenerator::global()->bounded(1u, 0x80000000u));
}

} // namespace

TaskPanel::TaskPanel(IdSource ids)
    : ids_(ids ? std::move(ids) : IdSource(randomId))
    , buttonWatcher_(std::make_unique<MirroredButtonWatcher>(*this))
{
    SetColors(PanelColours, 0xE6A07A, 0xE6A07A, 0xD67563, 0, 0, 0, false);
    SetColors(HeaderColours, 0xB24D07, 0xB24D07, 0xC75C22, 0xFFFFFF, 0xFF8E42, 0, false);
    SetColors(SecondHeaderColours, 0xFFFFFF, 0xFFFFFF, 0xF9D5C7, 0xC75C22, 0xFF8E42, 0, false);
    SetColors(TaskColours, 0xF9E7E0, 0, 0, 0xBC3139, 0, 0, true);
}

TaskPanel::~TaskPanel()
{
    TaskPanel::Kill();
}

void TaskPanel::Init(QWidget* control)
{
    if (inited_ || !control)
        return;
    control_ = control;
    widget_ = new TaskPanelWidget(*this, control);
    widget_->show();
    inited_ = true;
}

void TaskPanel::Kill()
{
    if (!inited_)
        return;
    inited_ = false;
    for (HeaderRecord& h : headers_)
        for (TaskRecord& t : h.TASKQUEUE)
            if (t.BUTTONWND)
                t.BUTTONWND->removeEventFilter(buttonWatcher_.get());
    if (widget_) {
        if (QToolTip::isVisible())
            QToolTip::hideText();
        // Kill may run inside the widget's own click handling (an owner closing its window from
        // OnClick), so the widget lets go of the panel now and goes away once that has returned.
        widget_->detach();
        widget_->hide();
        widget_->deleteLater();
    }
    widget_ = nullptr;
    control_ = nullptr;
    fonts_.reset();
}

TaskPanelWidget* TaskPanel::widget() const
{
    return widget_;
}

void TaskPanel::OnClick(qint32, qint32, bool, qint32) { }

qint32 TaskPanel::newId(const std::function<bool(qint32)>& taken)
{
    qint32 id = 0;
    do
        id = ids_();
    while (id < 1 || taken(id));
    return id;
}

qint32 TaskPanel::AddHeader(const QString& title, const QString& icon, int style, bool expanded,
    bool forceExpanded, int iconSize, bool defaultIconSize)
{
    HeaderRecord h;
    h.ID = newId([this](qint32 id) { return header(id) != nullptr; });
    h.TITLE = title;
    h.ICONNAME = icon;
    h.ISEXPANDED = expanded || forceExpanded;
    h.STYLE = style;
    h.ICONSIZES = defaultIconSize ? 24 : iconSize;
    headers_.push_back(std::move(h));
    currHeader_ = lookedUpHeader_ = headers_.back().ID;
    currTask_ = 0;
    return currHeader_;
}

qint32 TaskPanel::AddTask(const QString& title, const QString& icon, const QString& tooltip,
    qint32 actionControl, bool mirrorButton, bool noButtonIcon)
{
    HeaderRecord* h = lookUpHeader(currHeader_);
    if (!h)
        return 0;
    TaskRecord t;
    t.ID = newId([h](qint32 id) {
        return std::any_of(h->TASKQUEUE.begin(), h->TASKQUEUE.end(),
            [id](const TaskRecord& other) { return other.ID == id; });
    });
    t.TITLE = clipped(title);
    t.ICONNAME = icon.startsWith(QLatin1Char('~')) ? icon.mid(1) : icon;
    t.LEFTACTIONFEQ = actionControl;
    t.MIMICBUTTON = mirrorButton;
    t.MIMICICON = !noButtonIcon;
    h->TASKQUEUE.push_back(std::move(t));
    TaskRecord& added = h->TASKQUEUE.back();
    currTask_ = lookedUpTask_ = added.ID;
    lookedUpTaskHeader_ = h->ID;
    if (mirrorButton)
        watchButton(added);
    if (!clipped(tooltip).isEmpty())
        SetTaskTooltip(h->ID, added.ID, tooltip);
    return added.ID;
}

void TaskPanel::watchButton(TaskRecord& task)
{
    QAbstractButton* button = buttonLookup_ ? buttonLookup_(task.LEFTACTIONFEQ) : nullptr;
    if (!button)
        return;
    task.BUTTONWND = button;
    button->installEventFilter(buttonWatcher_.get());
}

void TaskPanel::updateMirroredTasks()
{
    for (HeaderRecord& h : headers_) {
        for (TaskRecord& t : h.TASKQUEUE) {
            if (!t.MIMICBUTTON || !t.BUTTONWND)
                continue;
            const QAbstractButton& button = *t.BUTTONWND;
            t.BUTTONICON = t.MIMICICON ? button.icon() : QIcon();
            if (t.MIMICTEXT)
                t.TITLE = withoutMnemonic(button.text());
            t.ISVISIBLE = button.isEnabled();
        }
    }
}

void TaskPanel::SetColors(int part, quint32 background, quint32 gradientFrom, quint32 gradientTo,
    quint32 text, quint32 hovered, quint32 disabled, bool disabledFromText)
{
    ColourPart* target = nullptr;
    switch (part) {
    case PanelColours:
        target = &colours_.PANEL;
        break;
    case HeaderColours:
        target = &colours_.HEADERS;
        break;
    case SecondHeaderColours:
        target = &colours_.HEADERS2;
        break;
    case TaskColours:
        target = &colours_.TASKS;
        break;
    default:
        return;
    }
    target->BACKGROUND = storedColour(background);
    target->GRADIENTFROM = storedColour(gradientFrom);
    target->GRADIENTTO = storedColour(gradientTo);
    if (part == PanelColours)
        return;
    target->TEXT = storedColour(text);
    target->HOVERED = storedColour(hovered);
    if (part == TaskColours)
        target->DISABLED = storedColour(disabledFromText ? text : disabled);
}

void TaskPanel::SetMargins(int left, int top, int right, bool rightEqualsLeft, int bottom, bool keepBottom)
{
    margins_.LEFT = left;
    margins_.TOP = top;
    margins_.RIGHT = rightEqualsLeft ? left : right;
    if (!keepBottom)
        margins_.BOTTOM = bottom;
}

void TaskPanel::SetFont(const QString& faceName)
{
    fontName_ = faceName;
    // Weight 100 for plain tasks, which the faces the panel names draw as regular text; 700
    // for bold tasks and the headers.
    auto make = [&faceName](int weight, bool underline) {
        QFont f = framework::describedPixelFont(faceName, 13, weight);
        f.setUnderline(underline);
        return f;
    };
    TaskPanelFonts fonts;
    fonts.TASK[0][0] = make(100, false);
    fonts.TASK[0][1] = make(100, true);
    fonts.TASK[1][0] = make(700, false);
    fonts.TASK[1][1] = make(700, true);
    fonts.HEADER = make(700, false);
    fonts_ = fonts;
}

QFont TaskPanel::headerFont() const
{
    return fonts_ ? fonts_->HEADER : QApplication::font();
}

QFont TaskPanel::taskFont(bool bold, bool hovered) const
{
    return fonts_ ? fonts_->TASK[bold][hovered] : QApplication::font();
}

void TaskPanel::SetAppName(const QString& moduleName)
{
    appName_ = clipped(moduleName);
}

void TaskPanel::SetWizardMode(bool on)
{
    wizardMode_ = on;
}

void TaskPanel::SetTooltipMaxWidth(int width)
{
    tooltipMaxWidth_ = width;
}

void TaskPanel::SetHeaderAlwaysExpanded(qint32 headerId, bool current, bool value, bool force)
{
    HeaderRecord* h = current ? header(lookedUpHeader_) : lookUpHeader(headerId);
    if (h)
        h->ISALWAYSEXPANDED = force || value;
}

void TaskPanel::SetHeaderExpanded(qint32 headerId, bool expanded, bool force)
{
    if (HeaderRecord* h = lookUpHeader(headerId))
        h->ISEXPANDED = force || expanded;
}

void TaskPanel::SetHeaderBoxed(qint32 headerId, bool boxed)
{
    if (HeaderRecord* h = lookUpHeader(headerId))
        h->ISBOXED = boxed;
}

void TaskPanel::SetTaskBold(qint32 headerId, qint32 taskId, bool bold, bool currentHeader, bool currentTask)
{
    TaskRecord* t = currentHeader || currentTask ? task(lookedUpTaskHeader_, lookedUpTask_)
                                                 : lookUpTask(headerId, taskId);
    if (t)
        t->ISBOLD = bold;
}

void TaskPanel::SetTaskTooltip(qint32 headerId, qint32 taskId, const QString& text)
{
    // The tooltip itself is looked up by the widget over the task's current area, so storing
    // the text is all it takes to add, change or remove it.
    if (TaskRecord* t = lookUpTask(headerId, taskId))
        t->TOOLTIP = clipped(text).left(maxTooltipLength);
}

void TaskPanel::Refresh()
{
    if (widget_)
        widget_->update();
}

HeaderRecord* TaskPanel::header(qint32 headerId)
{
    return const_cast<HeaderRecord*>(std::as_const(*this).header(headerId));
}

const HeaderRecord* TaskPanel::header(qint32 headerId) const
{
    for (const HeaderRecord& h : headers_)
        if (h.ID == headerId)
            return &h;
    return nullptr;
}

TaskRecord* TaskPanel::task(qint32 headerId, qint32 taskId)
{
    return const_cast<TaskRecord*>(std::as_const(*this).task(headerId, taskId));
}

const TaskRecord* TaskPanel::task(qint32 headerId, qint32 taskId) const
{
    if (const HeaderRecord* h = header(headerId))
        for (const TaskRecord& t : h->TASKQUEUE)
            if (t.ID == taskId)
                return &t;
    return nullptr;
}

HeaderRecord* TaskPanel::lookUpHeader(qint32 headerId)
{
    HeaderRecord* h = header(headerId);
    if (h)
        lookedUpHeader_ = h->ID;
    return h;
}

TaskRecord* TaskPanel::lookUpTask(qint32 headerId, qint32 taskId)
{
    if (!lookUpHeader(headerId))
        return nullptr;
    TaskRecord* t = task(headerId, taskId);
    if (t) {
        lookedUpTaskHeader_ = headerId;
        lookedUpTask_ = taskId;
    }
    return t;
}

} // namespace nidora::controls
