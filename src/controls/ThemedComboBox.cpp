#include "controls/ThemedComboBox.h"

#include "controls/PointerOver.h"
#include "controls/ThemeLibrary.h"
#include "framework/Control.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace nidora::controls {

bool ThemedComboBox::init(framework::Control& control)
{
    comboTheme_ = openExtra(ThemeLibrary::Combobox);
    if (!comboTheme_ || !attach(control, ThemeLibrary::Edit))
        return false;
    auto* combo = qobject_cast<QComboBox*>(widget());
    isCombo_ = combo && combo->isEditable();
    btnWidth_ = buttonRect().width();
    btnState_ = ThemeLibrary::Normal;
    widget()->setAttribute(Qt::WA_Hover);
    if (combo) {
        popup_ = combo->view()->window();
        popup_->installEventFilter(this);
        dropState_ = popup_->isVisible();
    }
    return true;
}

void ThemedComboBox::kill()
{
    if (popup_)
        popup_->removeEventFilter(this);
    popup_ = nullptr;
    ThemedControl::kill();
}

QRect ThemedComboBox::buttonRect() const
{
    auto* combo = qobject_cast<QComboBox*>(widget());
    if (!combo)
        return {};
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
}

void ThemedComboBox::draw(QPainter& painter)
{
    ThemedControl::draw(painter);
    if (!widget() || !isVisible())
        return;
    const int shown = isEnabled() ? btnState_ : ThemeLibrary::Disabled;
    drawPart(comboTheme_, painter, ThemeLibrary::DropButton, shown, buttonRect());
}

void ThemedComboBox::updateHotState()
{
    if (!widget() || pointerOver(widget()))
        return;
    const int before = btnState_;
    if (isEnabled())
        btnState_ = 0;
    else if (isVisible())
        btnState_ = ThemeLibrary::Disabled;
    if (btnState_ != before)
        refresh();
}

void ThemedComboBox::toggleList()
{
    auto* combo = qobject_cast<QComboBox*>(widget());
    combo->setFocus(Qt::MouseFocusReason);
    if (dropState_)
        combo->hidePopup();
    else
        combo->showPopup();
}

bool ThemedComboBox::takeMessage(QObject* watched, QEvent* event)
{
    if (watched == popup_) {
        // The list's real state, however it was opened or closed.
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
            dropState_ = event->type() == QEvent::Show;
            refresh();
        }
        return false;
    }
    if (watched == widget()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton
                || (isCombo_ && !buttonRect().contains(mouse->position().toPoint())))
                break;
            toggleList();
            return true;
        }
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
            if (btnState_ != ThemeLibrary::Hot) {
                btnState_ = ThemeLibrary::Hot;
                refresh();
            }
            break;
        case QEvent::FocusOut:
            refresh();
            break;
        default:
            break;
        }
    }
    return ThemedControl::takeMessage(watched, event);
}

} // namespace nidora::controls
