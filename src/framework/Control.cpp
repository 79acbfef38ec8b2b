#include "framework/Control.h"

#include "framework/Colour.h"
#include "framework/Window.h"

#include <QPalette>

namespace nidora::framework {

Control::Control(ControlKind kind, QWidget* widget)
    : kind_(kind)
    , widget_(widget)
{
}

Control::~Control() = default;

void Control::setEnabled(bool enabled)
{
    if (widget_)
        widget_->setEnabled(enabled);
    // The prompt just before a field heads it, and is drawn as the field is.
    if (kind_ == ControlKind::Prompt || !window_)
        return;
    if (Control* before = window_->control(number_ - 1); before && before->kind() == ControlKind::Prompt)
        if (before->widget_)
            before->widget_->setEnabled(enabled);
}

bool Control::isEnabled() const
{
    return widget_ && widget_->isEnabled();
}

void Control::setVisible(bool visible)
{
    if (widget_)
        widget_->setVisible(visible);
}

void Control::setTip(const QString& tip)
{
    if (widget_)
        widget_->setToolTip(tip);
}

void Control::setFont(const QFont& font)
{
    if (widget_)
        widget_->setFont(font);
}

void Control::setBackground(quint32 colour)
{
    if (!widget_)
        return;
    // The colour of the control in use: disabled, it is drawn as every disabled control is.
    QPalette palette = widget_->palette();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        palette.setColor(group, QPalette::Base, colour::toQColor(colour));
    widget_->setPalette(palette);
}

void Control::post(int code, const QVariant& value) const
{
    if (window_)
        window_->post(code, widget_, value);
}

void Control::adopt(Control& child, const QRect& pixels)
{
    child.widget()->setParent(container());
    child.widget()->setGeometry(pixels);
}

} // namespace nidora::framework
