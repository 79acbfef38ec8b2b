#include "framework/KeySimulation.h"

#include "framework/KeyCodes.h"
#include "framework/Window.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace nidora::framework {

namespace {

QKeyCombination keyOf(int code)
{
    // Modifier keys pressed alone have no code of their own to the windows, so Shift is named
    // here rather than in the code table.
    if (code == keys::withShift(keys::Shift))
        return QKeyCombination(Qt::ShiftModifier, Qt::Key_Shift);
    return keys::keyCombinationFromCode(code);
}

} // namespace

void pressKey(Window& window, int code)
{
    const QKeyCombination key = keyOf(code);
    QWidget* shown = window.widget();
    if (key.key() == Qt::Key_unknown || !shown)
        return;
    QWidget* target = shown->focusWidget() ? shown->focusWidget() : shown;
    // Posted rather than sent: the key arrives after whatever the window is handling now, as a
    // typed key would.
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key.key(), key.keyboardModifiers()));
    QCoreApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyRelease, key.key(), key.keyboardModifiers()));
}

} // namespace nidora::framework
