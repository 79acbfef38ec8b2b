#include "WindowTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

// Entries that open holding values remembered from the last time, as report prompts do.
class Remembered final : public SampleWindow {
public:
    Remembered()
        : SampleWindow(QStringLiteral("Recordado"))
    {
        add<EntryControl>(
            QStringLiteral("?TEXTO"), DialogRect { 50, 4, 60, 12 }, QStringLiteral("@s20"), entryValue(text));
        value = 12;
        display();
    }

    QString text = QStringLiteral("ASMA");
};

class FocusSelectionTest : public WindowsTest {
protected:
    void SetUp() override
    {
        driver.start([this] {
            Remembered shown;
            window = &shown;
            shown.run();
            window = nullptr;
        });
        ASSERT_NE(window, nullptr);
        driver.settle();
    }
    void TearDown() override
    {
        driver.close(QStringLiteral("Recordado"));
        EXPECT_TRUE(runUntilEnded(2));
    }
    QLineEdit* entry(const char* name) const
    {
        return qobject_cast<QLineEdit*>(driver.find(QString::fromLatin1(name)));
    }
    static void key(QWidget* target, Qt::Key code, const QString& text = {})
    {
        QKeyEvent down(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, code, Qt::NoModifier, text);
        QApplication::sendEvent(target, &up);
    }
    static void typeKeys(QWidget* target, const QString& text)
    {
        for (QChar each : text)
            key(target, Qt::Key(each.toUpper().unicode()), QString(each));
    }

    Remembered* window = nullptr;
};

TEST_F(FocusSelectionTest, TheKeyboardsFocusSelectsTheWholeTextSoTypingReplacesIt)
{
    // The window's own choice of the first entry counts as the keyboard's.
    QLineEdit* code = entry("?CODIGO");
    ASSERT_EQ(QApplication::focusWidget(), code);
    EXPECT_EQ(code->selectedText(), QStringLiteral("12"));
    typeKeys(code, QStringLiteral("34"));
    EXPECT_EQ(code->text(), QStringLiteral("34"));

    // On past the OK button to the next entry.
    key(code, Qt::Key_Tab);
    key(QApplication::focusWidget(), Qt::Key_Tab);
    driver.settle();
    QLineEdit* text = entry("?TEXTO");
    ASSERT_EQ(QApplication::focusWidget(), text);
    EXPECT_EQ(text->selectedText(), QStringLiteral("ASMA"));
    typeKeys(text, QStringLiteral("ASMA"));
    EXPECT_EQ(text->text(), QStringLiteral("ASMA"));

    // Back to the first by Shift+Tab: all of it again.
    for (int press = 0; press < 2; ++press) {
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &back);
    }
    driver.settle();
    ASSERT_EQ(QApplication::focusWidget(), code);
    EXPECT_EQ(code->selectedText(), code->text());
}

TEST_F(FocusSelectionTest, AClickPlacesTheCursorWithoutSelecting)
{
    QLineEdit* text = entry("?TEXTO");
    const QPoint inside(text->width() / 4, text->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, inside, text->mapToGlobal(inside), Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, text->mapToGlobal(inside), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(text, &release);
    driver.settle();
    EXPECT_FALSE(text->hasSelectedText());
}

} // namespace
} // namespace nidora::framework::test
