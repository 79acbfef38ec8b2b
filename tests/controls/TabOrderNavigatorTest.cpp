#include "ComponentWindow.h"

#include "controls/TabOrderNavigator.h"
#include "framework/KeyCodes.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace nidora::controls::test {
namespace {

using framework::ThreadEvent;
namespace event = framework::event;

constexpr const char* kBefore = "?ANTES";
constexpr const char* kUnderTest = "?CONTROL";
constexpr const char* kAfter = "?DESPUES";

class TabOrderNavigatorTest : public ComponentWindowTest {
protected:
    TabOrderNavigatorTest()
        : ComponentWindowTest({ [] { return std::make_unique<TabOrderNavigator>(); }, {}, {}, {} })
    {
    }

    TabOrderNavigator& navigator() { return static_cast<TabOrderNavigator&>(window->navigator()); }
};

struct KeyCase {
    const char* what;
    Kind kind;
    int key;
    const char* focusAfter; // the control the focus is on after the key
};

// Forward is the next control, back the previous one; a key the navigator leaves alone keeps
// the focus where it was (its own meaning may change the control's value, not the focus).
const KeyCase kKeyCases[] = {
    { "entry Enter", Kind::Entry, keys::Enter, kAfter },
    { "entry Down", Kind::Entry, keys::Down, kAfter },
    { "entry Up", Kind::Entry, keys::Up, kBefore },
    { "entry Right", Kind::Entry, keys::Right, kUnderTest },
    { "entry Left", Kind::Entry, keys::Left, kUnderTest },
    { "one-line text Enter", Kind::OneLineText, keys::Enter, kAfter },
    { "one-line text Down", Kind::OneLineText, keys::Down, kAfter },
    { "one-line text Up", Kind::OneLineText, keys::Up, kBefore },
    { "memo Enter", Kind::Memo, keys::Enter, kUnderTest },
    { "memo Down", Kind::Memo, keys::Down, kUnderTest },
    { "memo Up", Kind::Memo, keys::Up, kUnderTest },
    { "spin Enter", Kind::Spin, keys::Enter, kAfter },
    { "spin Up", Kind::Spin, keys::Up, kUnderTest },
    { "spin Down", Kind::Spin, keys::Down, kUnderTest },
    { "combo Enter", Kind::Combo, keys::Enter, kAfter },
    { "combo Down", Kind::Combo, keys::Down, kUnderTest },
    { "combo Up", Kind::Combo, keys::Up, kUnderTest },
    { "list Enter", Kind::List, keys::Enter, kAfter },
    { "list Right", Kind::List, keys::Right, kAfter },
    { "list Left", Kind::List, keys::Left, kBefore },
    { "list Down", Kind::List, keys::Down, kUnderTest },
    { "list Up", Kind::List, keys::Up, kUnderTest },
    { "drop list Enter", Kind::DropList, keys::Enter, kAfter },
    { "drop list Right", Kind::DropList, keys::Right, kAfter },
    { "drop list Left", Kind::DropList, keys::Left, kBefore },
    { "drop list Down", Kind::DropList, keys::Down, kUnderTest },
    { "button Down", Kind::Button, keys::Down, kAfter },
    { "button Right", Kind::Button, keys::Right, kAfter },
    { "button Up", Kind::Button, keys::Up, kBefore },
    { "button Left", Kind::Button, keys::Left, kBefore },
    { "button Enter", Kind::Button, keys::Enter, kUnderTest },
    { "radio Enter", Kind::Radio, keys::Enter, kAfter },
    { "radio Down", Kind::Radio, keys::Down, kUnderTest },
    { "check Enter", Kind::Check, keys::Enter, kAfter },
    { "check Down", Kind::Check, keys::Down, kAfter },
    { "check Right", Kind::Check, keys::Right, kAfter },
    { "check Up", Kind::Check, keys::Up, kBefore },
    { "check Left", Kind::Check, keys::Left, kBefore },
};

TEST_F(TabOrderNavigatorTest, EachKindMovesOnWithItsOwnKeysAndLeavesTheOthers)
{
    for (const KeyCase& each : kKeyCases) {
        SCOPED_TRACE(each.what);
        open(each.kind);
        focus(kUnderTest);
        driver.pressKey(QString::fromLatin1(kUnderTest), each.key);
        EXPECT_EQ(window->focused(), each.focusAfter);
        close();
    }
}

TEST_F(TabOrderNavigatorTest, EnterOnAButtonPressesItFromEitherKeyboard)
{
    open(Kind::Button);
    focus(kUnderTest);
    driver.pressKey(QString::fromLatin1(kUnderTest), keys::Enter);
    QKeyEvent keypad(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::sendEvent(window->underTest->widget(), &keypad);
    driver.settle();
    EXPECT_EQ(window->accepted, (std::vector<std::string> { kUnderTest, kUnderTest }));
}

TEST_F(TabOrderNavigatorTest, TheFormsOkButtonKeepsTheFocusUnderEveryArrow)
{
    open(Kind::Entry);
    focus("?OK");
    for (const int key : { keys::Down, keys::Right, keys::Up, keys::Left }) {
        driver.pressKey(QStringLiteral("?OK"), key);
        EXPECT_EQ(window->focused(), "?OK") << "key " << key;
    }
    EXPECT_TRUE(navigator().isExcluded(window->ok->number()));
    EXPECT_FALSE(window->ok->hasAlertKey(keys::Down));
}

TEST_F(TabOrderNavigatorTest, EnterInAMemoStartsANewLineWhereTheCursorIs)
{
    open(Kind::Memo);
    focus(kUnderTest);
    auto* memo = static_cast<QPlainTextEdit*>(window->underTest->widget());
    memo->setPlainText(QStringLiteral("tos seca"));
    memo->moveCursor(QTextCursor::End);
    driver.pressKey(QString::fromLatin1(kUnderTest), keys::Enter);
    memo->insertPlainText(QStringLiteral("fiebre"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("tos seca\nfiebre"));
    EXPECT_EQ(window->focused(), kUnderTest);
    EXPECT_EQ(QApplication::keyboardModifiers() & Qt::ShiftModifier, Qt::NoModifier);
}

// What the users met: a code typed and Enter left the focus in the same entry, so the next
// field's text went into it too.
TEST_F(TabOrderNavigatorTest, TypingAndEnterTakesTheTextAndMovesToTheNextField)
{
    open(Kind::Entry);
    focus(kBefore);
    driver.type(QString::fromLatin1(kBefore), QStringLiteral("1234"));
    driver.pressKey(QString::fromLatin1(kBefore), keys::Enter);
    EXPECT_EQ(window->focused(), kUnderTest);
    EXPECT_EQ(window->accepted, (std::vector<std::string> { kBefore }));
    EXPECT_EQ(window->before.trimmed(), QStringLiteral("1234"));
}

TEST_F(TabOrderNavigatorTest, AnAlertKeyTheWindowSetIsTakenOverByTheNavigator)
{
    open(Kind::Memo, [](ComponentWindow& shown) { shown.underTest->addAlertKey(keys::Down); });
    focus(kUnderTest);
    driver.pressKey(QString::fromLatin1(kUnderTest), keys::Down);
    EXPECT_EQ(window->focused(), kAfter);
}

TEST_F(TabOrderNavigatorTest, TabFollowsAnExplicitPairBothWays)
{
    open(Kind::Entry, [](ComponentWindow& shown) {
        static_cast<TabOrderNavigator&>(shown.navigator()).addTabStopPair(1, 3);
    });
    focus(kBefore);
    driver.pressKey(QString::fromLatin1(kBefore), keys::Tab);
    EXPECT_EQ(window->focused(), kAfter);
    driver.pressKey(QString::fromLatin1(kAfter), keys::ShiftTab);
    EXPECT_EQ(window->focused(), kBefore);
    // Without a pair Tab keeps the window's own order.
    focus(kUnderTest);
    driver.pressKey(QString::fromLatin1(kUnderTest), keys::Tab);
    EXPECT_EQ(window->focused(), kAfter);
}

TEST_F(TabOrderNavigatorTest, TakesNothingBeforeItsOrderIsBuiltNorForAnExcludedControl)
{
    open(Kind::Entry);
    Control& entry = *window->underTest;
    const ThreadEvent down { event::AlertKey, entry.widget(), keys::Down };
    TabOrderNavigator fresh;
    EXPECT_FALSE(fresh.takeEvent(*window, down));
    fresh.excludeControl(entry.number());
    fresh.buildTabOrder(*window);
    EXPECT_FALSE(fresh.takeEvent(*window, down));
    EXPECT_TRUE(navigator().takeEvent(*window, down));
    EXPECT_FALSE(navigator().takeEvent(*window, ThreadEvent { event::Accepted, entry.widget(), {} }));
}

} // namespace
} // namespace nidora::controls::test
