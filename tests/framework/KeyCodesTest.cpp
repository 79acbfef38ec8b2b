#include "framework/KeyCodes.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace nidora::keys {
namespace {

int codeOf(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QKeyEvent event(QEvent::KeyPress, key, modifiers);
    return keyCodeFromEvent(event);
}

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int code;
};

const KeyCase keyCases[] = {
    { Qt::Key_Return, Qt::NoModifier, 13 },
    { Qt::Key_Tab, Qt::NoModifier, 9 },
    { Qt::Key_Backtab, Qt::ShiftModifier, 265 },
    { Qt::Key_Escape, Qt::NoModifier, 27 },
    { Qt::Key_Backspace, Qt::NoModifier, 8 },
    { Qt::Key_Space, Qt::NoModifier, 32 },
    { Qt::Key_PageUp, Qt::NoModifier, 33 },
    { Qt::Key_PageDown, Qt::NoModifier, 34 },
    { Qt::Key_End, Qt::NoModifier, 35 },
    { Qt::Key_Home, Qt::NoModifier, 36 },
    { Qt::Key_Left, Qt::NoModifier, 37 },
    { Qt::Key_Up, Qt::NoModifier, 38 },
    { Qt::Key_Right, Qt::NoModifier, 39 },
    { Qt::Key_Down, Qt::NoModifier, 40 },
    { Qt::Key_Insert, Qt::NoModifier, 45 },
    { Qt::Key_Delete, Qt::NoModifier, 46 },
    { Qt::Key_0, Qt::NoModifier, 48 },
    { Qt::Key_9, Qt::NoModifier, 57 },
    { Qt::Key_A, Qt::NoModifier, 65 },
    { Qt::Key_Z, Qt::NoModifier, 90 },
    { Qt::Key_F1, Qt::NoModifier, 112 },
    { Qt::Key_F12, Qt::NoModifier, 123 },
    { Qt::Key_0, Qt::KeypadModifier, 96 },
    { Qt::Key_9, Qt::KeypadModifier, 105 },
    { Qt::Key_Asterisk, Qt::KeypadModifier, 106 },
    { Qt::Key_Plus, Qt::KeypadModifier, 107 },
    { Qt::Key_Minus, Qt::KeypadModifier, 109 },
    { Qt::Key_Period, Qt::KeypadModifier, 110 },
    { Qt::Key_Slash, Qt::KeypadModifier, 111 },
    { Qt::Key_Down, Qt::ShiftModifier, 296 },
    { Qt::Key_Up, Qt::ControlModifier, 550 },
    { Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, 65 + 256 + 512 },
    { Qt::Key_F4, Qt::ControlModifier, 627 },
};

TEST(KeyCodes, KeyEventsGiveTheirCodes)
{
    for (const KeyCase& c : keyCases)
        EXPECT_EQ(codeOf(c.key, c.modifiers), c.code) << c.code;
}

TEST(KeyCodes, KeypadEnterAndNavigationShareTheMainKeyboardsCodes)
{
    EXPECT_EQ(codeOf(Qt::Key_Enter, Qt::KeypadModifier), Enter);
    EXPECT_EQ(codeOf(Qt::Key_Enter), Enter);
    EXPECT_EQ(codeOf(Qt::Key_Home, Qt::KeypadModifier), Home);
    EXPECT_EQ(codeOf(Qt::Key_Tab, Qt::ShiftModifier), ShiftTab);
}

TEST(KeyCodes, KeysWithoutACodeGiveZero)
{
    const KeyCase cases[] = {
        { Qt::Key_A, Qt::AltModifier, 0 },
        { Qt::Key_Down, Qt::MetaModifier, 0 },
        { Qt::Key_Shift, Qt::ShiftModifier, 0 },
        { Qt::Key_Control, Qt::ControlModifier, 0 },
        { Qt::Key_Comma, Qt::NoModifier, 0 },
        { Qt::Key_Asterisk, Qt::NoModifier, 0 },
        { Qt::Key_F13, Qt::NoModifier, 0 },
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(codeOf(c.key, c.modifiers), 0) << c.key;
}

TEST(KeyCodes, EveryCodeRoundTripsThroughItsKeyCombination)
{
    for (const KeyCase& c : keyCases) {
        const QKeyCombination combination = keyCombinationFromCode(c.code);
        ASSERT_NE(combination.key(), Qt::Key_unknown) << c.code;
        EXPECT_EQ(codeOf(combination.key(), combination.keyboardModifiers()), c.code) << c.code;
    }
    EXPECT_EQ(keyCombinationFromCode(ShiftTab), QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab));
    EXPECT_EQ(keyCombinationFromCode(Enter), QKeyCombination(Qt::Key_Return));
}

TEST(KeyCodes, ValuesThatAreNoCodeGiveNoKey)
{
    for (int value : { 0, -1, 1, 200, 1024, 2000, 256 + 1 })
        EXPECT_EQ(keyCombinationFromCode(value).key(), Qt::Key_unknown) << value;
}

TEST(KeyCodes, HelpersSpellTheCodes)
{
    EXPECT_EQ(letter('Z'), 90);
    EXPECT_EQ(digit(5), 53);
    EXPECT_EQ(functionKey(12), 123);
    EXPECT_EQ(withCtrl(withShift(Tab)), 777);
}

} // namespace
} // namespace nidora::keys
