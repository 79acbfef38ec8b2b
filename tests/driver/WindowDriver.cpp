#include "driver/WindowDriver.h"
#include "support/RunUntil.h"

#include "framework/KeyCodes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>

namespace nidora::test {

namespace {

bool shown(const QWidget* widget)
{
    return widget && widget->isVisible();
}

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

void sendKey(QWidget* target, QKeyCombination key)
{
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers());
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers());
    QApplication::sendEvent(target, &release);
}

} // namespace

int WindowDriver::start(framework::ThreadProcedure procedure, std::size_t stackSize)
{
    const int number = framework::StartOnNewThread(std::move(procedure), stackSize);
    settle();
    return number;
}

void WindowDriver::settle()
{
    // A woken thread runs from a queued call and may queue more; a few rounds let every chain
    // of them finish.
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool WindowDriver::runUntil(const std::function<bool()>& done)
{
    return nidora::test::runUntil(done);
}

QWidget* WindowDriver::find(const QString& name) const
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!shown(top))
            continue;
        for (QWidget* inside : top->findChildren<QWidget*>(name))
            if (inside->objectName().compare(name, Qt::CaseInsensitive) == 0)
                return inside;
    }
    return nullptr;
}

QWidget* WindowDriver::window(const QString& caption) const
{
    for (QWidget* top : QApplication::allWidgets())
        if (shown(top) && top->windowTitle() == caption)
            return top;
    return nullptr;
}

void WindowDriver::type(const QString& name, const QString& text)
{
    QWidget* target = find(name);
    auto* edit = qobject_cast<QLineEdit*>(target);
    // An editable combo or a spin box is typed into through the line inside it.
    if (!edit && target)
        edit = target->findChild<QLineEdit*>();
    if (!edit)
        return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    edit->insert(text);
}

void WindowDriver::accept(const QString& name)
{
    QWidget* target = find(name);
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->click();
    else if (target)
        sendKey(target, QKeyCombination(Qt::Key_Return));
    settle();
}

void WindowDriver::click(const QString& name)
{
    if (auto* button = qobject_cast<QAbstractButton*>(find(name))) {
        // A mouse click takes the focus first, so an entry being typed in is accepted before
        // the button acts, as on the desktop.
        if (button->focusPolicy() & Qt::ClickFocus) {
            button->setFocus(Qt::MouseFocusReason);
            settle();
        }
        button->click();
    }
    settle();
}

void WindowDriver::pressKey(const QString& name, int code)
{
    QWidget* target = name.isEmpty() ? QApplication::focusWidget() : find(name);
    if (target)
        sendKey(target, keys::keyCombinationFromCode(code));
    settle();
}

void WindowDriver::close(const QString& caption)
{
    if (QWidget* target = window(caption))
        target->close();
    settle();
}

QMessageBox* WindowDriver::messageBox(const QString& text) const
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(top); shown(box) && box->text().contains(text))
            return box;
    return nullptr;
}

bool WindowDriver::answer(const QString& text, const QString& button)
{
    QMessageBox* box = nullptr;
    if (!runUntil([&] { return (box = messageBox(text)) != nullptr; }))
        return false;
    for (QAbstractButton* each : box->buttons()) {
        if (withoutMnemonic(each->text()) == withoutMnemonic(button)) {
            each->click();
            settle();
            return true;
        }
    }
    return false;
}

} // namespace nidora::test
