#include "framework/ControlButton.h"

#include "framework/ControlLabels.h"
#include "framework/WindowEvent.h"

#include <QKeyEvent>

namespace nidora::framework {

namespace {

// A push button as the desktop's own: Enter (from the keypad too) presses the button that has
// the focus in any window, not only in dialogs, and the arrow keys leave the focus where it is
// unless the keyboard navigator takes them.
class PushButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
                break;
            if (!event->isAutoRepeat())
                click();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return;
        default:
            break;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

ButtonControl::ButtonControl(const QString& text, const QString& iconFile)
    : Control(ControlKind::Button, new PushButton(text))
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
