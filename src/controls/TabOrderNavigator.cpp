#include "controls/TabOrderNavigator.h"

#include "framework/KeyCodes.h"
#include "framework/KeySimulation.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace nidora::controls {

using framework::Control;
using framework::ControlKind;
using framework::Window;

namespace {

// The framework's further text kind, which the navigator treats like a text box; no control of
// this program is of it.
constexpr int kFurtherTextKind = 40;

bool isTextKind(ControlKind kind)
{
    return kind == ControlKind::Text || static_cast<int>(kind) == kFurtherTextKind;
}

// A text box is single-line unless its widget holds several lines.
bool isSingleLine(const Control& control)
{
    const QWidget* widget = control.widget();
    return !qobject_cast<const QPlainTextEdit*>(widget) && !qobject_cast<const QTextEdit*>(widget);
}

// The control the window's tab order puts after (or before) the given one.
Control* tabStopBeside(Window& window, const Control& from, bool forward)
{
    QWidget* start = from.widget();
    QWidget* widget = start;
    for (;;) {
        widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
        if (!widget || widget == start)
            return nullptr;
        if ((widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !widget->isEnabled()
            || !widget->isVisible())
            continue;
        Control* control = window.controlOf(widget);
        if (control && control != &from)
            return control;
    }
}

} // namespace

void TabOrderNavigator::exclude(Control& control)
{
    excludeControl(control.number());
}

void TabOrderNavigator::excludeControl(int number)
{
    if (!isExcluded(number))
        excluded_.push_back(number);
}

bool TabOrderNavigator::isExcluded(int number) const
{
    return std::find(excluded_.begin(), excluded_.end(), number) != excluded_.end();
}

void TabOrderNavigator::addTabStopPair(int control, int next)
{
    nextTabStop_.emplace_back(control, next);
}

std::vector<int> TabOrderNavigator::alertKeysOf(ControlKind kind, bool singleLine, bool noSideKeys)
{
    using namespace keys;
    if (isTextKind(kind))
        return singleLine ? std::vector<int> { Down, Enter, Up } : std::vector<int> { Enter };
    switch (kind) {
    case ControlKind::Spin:
    case ControlKind::Combo:
    case ControlKind::DropCombo:
        return { Enter };
    case ControlKind::Entry:
        return { Down, Enter, Up };
    case ControlKind::List:
    case ControlKind::DropList:
        return noSideKeys ? std::vector<int> { Enter } : std::vector<int> { Enter, Right, Left };
    case ControlKind::Button:
        return { Up, Down, Right, Left };
    case ControlKind::Radio:
        return { Enter };
    case ControlKind::Check:
        return { Enter, Up, Down, Right, Left };
    default:
        return {};
    }
}

void TabOrderNavigator::buildTabOrder(Window& window, bool noSideKeys)
{
    for (const auto& each : window.controls()) {
        Control& control = *each;
        if (!isExcluded(control.number()))
            for (const int key : alertKeysOf(control.kind(), isSingleLine(control), noSideKeys))
                control.addAlertKey(key);
        for (const auto& [from, next] : nextTabStop_) {
            if (from != control.number())
                continue;
            control.addAlertKey(keys::Tab);
            if (Control* following = window.control(next))
                following->addAlertKey(keys::ShiftTab);
        }
    }
    inited_ = true;
}

bool TabOrderNavigator::takeEvent(Window& window, const framework::ThreadEvent& event)
{
    if (!inited_ || event.code != framework::event::AlertKey)
        return false;
    Control* control = window.controlOf(event.source);
    if (!control || isExcluded(control->number()))
        return false;
    switch (event.value.toInt()) {
    case keys::Enter:
        if (isTextKind(control->kind()) && !isSingleLine(*control)) {
            // A new line where Enter was pressed; the lone Shift after it leaves no Shift held.
            pressKey(window, keys::withShift(keys::Enter));
            pressKey(window, keys::withShift(keys::Shift));
        } else {
            pressKey(window, keys::Tab);
        }
        return true;
    case keys::Down:
    case keys::Right:
        pressKey(window, keys::Tab);
        return true;
    case keys::Up:
    case keys::Left:
        pressKey(window, keys::ShiftTab);
        return true;
    case keys::Tab:
    case keys::ShiftTab:
        if (Control* target = tabTarget(window, *control, event.value.toInt() == keys::Tab))
            window.select(*target);
        return true;
    default:
        return false;
    }
}

Control* TabOrderNavigator::tabTarget(Window& window, const Control& control, bool forward) const
{
    const int number = control.number();
    const auto pair = std::find_if(nextTabStop_.begin(), nextTabStop_.end(),
        [number, forward](const auto& each) { return (forward ? each.first : each.second) == number; });
    if (pair == nextTabStop_.end())
        return tabStopBeside(window, control, forward);
    return window.control(forward ? pair->second : pair->first);
}

void TabOrderNavigator::pressKey(Window& window, int code)
{
    framework::pressKey(window, code);
}

void TabOrderNavigator::kill()
{
    excluded_.clear();
    nextTabStop_.clear();
    inited_ = false;
}

} // namespace nidora::controls
