#include "framework/KeyCodes.h"

#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace nidora::keys {

namespace {

struct NamedKey {
    int code;
    Qt::Key key;
    bool keypad;
};

// Keys outside the letter, digit and function-key runs. Qt reports keypad keys with the
// keypad modifier: the digits and operators then have codes of their own, while Enter and
// the navigation keys share the main keyboard's codes.
constexpr NamedKey namedKeys[] = {
    { Backspace, Qt::Key_Backspace, false },
    { Tab, Qt::Key_Tab, false },
    { Enter, Qt::Key_Return, false },
    { Enter, Qt::Key_Enter, false },
    { Pause, Qt::Key_Pause, false },
    { Escape, Qt::Key_Escape, false },
    { Space, Qt::Key_Space, false },
    { PageUp, Qt::Key_PageUp, false },
    { PageDown, Qt::Key_PageDown, false },
    { End, Qt::Key_End, false },
    { Home, Qt::Key_Home, false },
    { Left, Qt::Key_Left, false },
    { Up, Qt::Key_Up, false },
    { Right, Qt::Key_Right, false },
    { Down, Qt::Key_Down, false },
    { Insert, Qt::Key_Insert, false },
    { Delete, Qt::Key_Delete, false },
    { KeypadMultiply, Qt::Key_Asterisk, true },
    { KeypadAdd, Qt::Key_Plus, true },
    { KeypadSubtract, Qt::Key_Minus, true },
    { KeypadDecimal, Qt::Key_Period, true },
    { KeypadDecimal, Qt::Key_Comma, true },
    { KeypadDivide, Qt::Key_Slash, true },
};

constexpr int functionKeyCount = 12;

// The code of a key without modifiers, or 0.
int baseCode(int key, bool keypad)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (keypad ? Keypad0 : Digit0) + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return LetterA + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + functionKeyCount)
        return F1 + (key - Qt::Key_F1);
    if (key == Qt::Key_Backtab)
        return Tab;
    for (const NamedKey& named : namedKeys) {
        // The navigation keys and Enter count the same from the keypad or the main keyboard.
        if (named.key == key && (named.keypad == keypad || !named.keypad))
            return named.code;
    }
    return 0;
}

// The key that gives a code without modifiers, with whether it is on the keypad.
QKeyCombination keyOfBaseCode(int code)
{
    if (code >= Digit0 && code <= Digit0 + 9)
        return Qt::Key(Qt::Key_0 + (code - Digit0));
    if (code >= Keypad0 && code <= Keypad0 + 9)
        return QKeyCombination(Qt::KeypadModifier, Qt::Key(Qt::Key_0 + (code - Keypad0)));
    if (code >= LetterA && code <= LetterA + 25)
        return Qt::Key(Qt::Key_A + (code - LetterA));
    if (code >= F1 && code < F1 + functionKeyCount)
        return Qt::Key(Qt::Key_F1 + (code - F1));
    const auto found = std::find_if(std::begin(namedKeys), std::end(namedKeys),
        [code](const NamedKey& named) { return named.code == code; });
    if (found == std::end(namedKeys))
        return QKeyCombination();
    return QKeyCombination(found->keypad ? Qt::KeypadModifier : Qt::NoModifier, found->key);
}

} // namespace

int keyCodeFromEvent(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return 0;
    const int key = event.key();
    const int base = baseCode(key, modifiers.testFlag(Qt::KeypadModifier));
    if (base == 0)
        return 0;
    const bool shift = modifiers.testFlag(Qt::ShiftModifier) || key == Qt::Key_Backtab;
    return base + (shift ? ShiftFlag : 0) + (modifiers.testFlag(Qt::ControlModifier) ? CtrlFlag : 0);
}

QKeyCombination keyCombinationFromCode(int code)
{
    if (code <= 0 || code >= 2 * CtrlFlag)
        return QKeyCombination();
    const QKeyCombination base = keyOfBaseCode(code % ShiftFlag);
    if (base.key() == Qt::Key_unknown)
        return base;
    Qt::KeyboardModifiers modifiers = base.keyboardModifiers();
    if (code & ShiftFlag)
        modifiers |= Qt::ShiftModifier;
    if (code & CtrlFlag)
        modifiers |= Qt::ControlModifier;
    // Qt reports Shift+Tab as Backtab; tests should send what a keyboard sends.
    const Qt::Key key = (code & ShiftFlag) && base.key() == Qt::Key_Tab ? Qt::Key_Backtab : base.key();
    return QKeyCombination(modifiers, key);
}

} // namespace nidora::keys
