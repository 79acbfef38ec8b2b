#pragma once

#include <QKeyCombination>

class QKeyEvent;

// Key codes as the windows compare them: the platform's virtual-key code of the key, plus
// 256 when Shift is held and 512 when Ctrl is held. Combinations with Alt or Meta, and keys
// whose virtual-key code depends on the keyboard layout (punctuation of the main keyboard),
// have no code.
namespace nidora::keys {

constexpr int ShiftFlag = 256;
constexpr int CtrlFlag = 512;

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16; // only ever simulated (keys::withShift(Shift) is the lone Shift key)
constexpr int Pause = 19;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48; // '0' to '9' are 48 to 57
constexpr int LetterA = 65; // 'A' to 'Z' are 65 to 90
constexpr int Keypad0 = 96; // keypad digits are 96 to 105
constexpr int KeypadMultiply = 106;
constexpr int KeypadAdd = 107;
constexpr int KeypadSubtract = 109;
constexpr int KeypadDecimal = 110;
constexpr int KeypadDivide = 111;
constexpr int F1 = 112; // F1 to F12 are 112 to 123

constexpr int ShiftTab = ShiftFlag + Tab;

constexpr int digit(int n)
{
    return Digit0 + n;
}
constexpr int letter(char upper)
{
    return LetterA + (upper - 'A');
}
constexpr int functionKey(int n)
{
    return F1 + n - 1;
}
constexpr int withShift(int code)
{
    return code + ShiftFlag;
}
constexpr int withCtrl(int code)
{
    return code + CtrlFlag;
}

// The code of a key press; 0 for a key that has no code (modifier keys pressed alone
// included). Shift+Tab, which Qt reports as Backtab, is ShiftTab.
int keyCodeFromEvent(const QKeyEvent& event);

// The key and modifiers that produce a code, for driving windows in tests; a combination of
// Qt::Key_unknown for a value that is no code.
QKeyCombination keyCombinationFromCode(int code);

} // namespace nidora::keys
