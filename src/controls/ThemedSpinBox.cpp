#include "controls/ThemedSpinBox.h"

#include "controls/PointerOver.h"
#include "controls/ThemeLibrary.h"

#include <QEvent>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace nidora::controls {

bool ThemedSpinBox::init(framework::Control& control)
{
    spinTheme_ = openExtra(ThemeLibrary::Spin);
    if (!spinTheme_)
        return false;
    upState_ = downState_ = 0;
    if (!attach(control, ThemeLibrary::Edit))
        return false;
    widget()->setAttribute(Qt::WA_Hover);
    return true;
}

QRect ThemedSpinBox::buttonRect(bool up) const
{
    auto* spin = qobject_cast<QAbstractSpinBox*>(widget());
    if (!spin)
        return {};
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.buttonSymbols = spin->buttonSymbols();
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = spin->hasFrame();
    return spin->style()->subControlRect(
        QStyle::CC_SpinBox, &option, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, spin);
}

void ThemedSpinBox::draw(QPainter& painter)
{
    ThemedControl::draw(painter);
    if (!widget() || !isVisible())
        return;
    drawPart(spinTheme_, painter, ThemeLibrary::SpinUp, isEnabled() ? upState_ : ThemeLibrary::Disabled,
        buttonRect(true));
    drawPart(spinTheme_, painter, ThemeLibrary::SpinDown, isEnabled() ? downState_ : ThemeLibrary::Disabled,
        buttonRect(false));
}

void ThemedSpinBox::clearHot()
{
    upState_ = downState_ = 0;
}

void ThemedSpinBox::hitTest(const QPoint& at)
{
    const int up = buttonRect(true).contains(at) ? ThemeLibrary::Hot : 0;
    const int down = !up && buttonRect(false).contains(at) ? ThemeLibrary::Hot : 0;
    if (up == upState_ && down == downState_)
        return;
    upState_ = up;
    downState_ = down;
    refresh();
}

void ThemedSpinBox::updateHotState()
{
    if (!widget() || pointerOver(widget()) || (upState_ == 0 && downState_ == 0))
        return;
    clearHot();
    refresh();
}

bool ThemedSpinBox::takeMessage(QObject* watched, QEvent* event)
{
    if (watched == widget()) {
        switch (event->type()) {
        case QEvent::HoverMove:
        case QEvent::HoverEnter:
            hitTest(static_cast<QHoverEvent*>(event)->position().toPoint());
            break;
        case QEvent::HoverLeave:
            hitTest(QPoint(-1, -1));
            break;
        case QEvent::MouseButtonRelease:
            // The buttons are drawn again over the control's own pressed look.
            passOn(watched, event);
            refresh();
            return true;
        default:
            break;
        }
    }
    return ThemedControl::takeMessage(watched, event);
}

} // namespace nidora::controls
