#include "framework/ControlButton.h"

#include "framework/ControlLabels.h"
#include "framework/WindowEvent.h"

namespace nidora::framework {

ButtonControl::ButtonControl(const QString& text, const QString& iconFile)
    : Control(ControlKind::Button, new QPushButton(text))
    , button_(static_cast<QPushButton*>(widget()))
{
    if (const QString found = findPictureFile(iconFile); !found.isEmpty())
        button_->setIcon(QIcon(found));
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { post(event::Accepted); });
}

void ButtonControl::setText(const QString& text)
{
    button_->setText(text);
}

QString ButtonControl::text() const
{
    return button_->text();
}

void ButtonControl::setDefault(bool isDefault)
{
    button_->setDefault(isDefault);
}

} // namespace nidora::framework
