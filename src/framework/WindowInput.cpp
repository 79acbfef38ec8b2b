#include "framework/WindowInput.h"

#include "framework/KeyCodes.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace nidora::framework {

WindowWidget::WindowWidget(Window& window)
    : window_(window)
{
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    window_.requestClose();
}

void WindowWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The controls move at once, with the window's own repaint, rather than when the loop
    // next takes the sized event.
    window_.layOutAnchored();
    window_.post(event::Sized);
}

void WindowWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        window_.post(isActiveWindow() ? event::GainFocus : event::LoseFocus);
}

WindowInput::WindowInput(Window& window)
    : window_(window)
{
}

void WindowInput::watch(QWidget* widget)
{
    widget->installEventFilter(this);
    for (QWidget* inside : widget->findChildren<QWidget*>())
        inside->installEventFilter(this);
}

bool WindowInput::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::KeyPress)
        return false;
    Control* control = window_.controlOf(watched);
    if (!control)
        return false;
    if (event->type() == QEvent::FocusIn) {
        if (control != focused_)
            window_.post(event::Selected, control->widget(), {});
        focused_ = control;
        return false;
    }
    const int code = keys::keyCodeFromEvent(*static_cast<QKeyEvent*>(event));
    if (code == 0 || !window_.isAlertKey(control, code))
        return false;
    window_.post(event::AlertKey, control->widget(), code);
    return true;
}

} // namespace nidora::framework
