// The memo text box takes only what its field can store: no more characters than the field
// holds, and none that the Windows-1252 code page has no byte for, whether typed or pasted.
#include "framework/ControlEdits.h"
#include "support/QStringPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace nidora::framework::test {
namespace {

struct TextBoxCase {
    const char* name;
    int maxLength; // 0: any length
    const char* before;
    int cursor; // where the typing or the paste goes; -1 at the end
    const char* typed; // typed key by key
    const char* pasted;
    const char* after;
};

void PrintTo(const TextBoxCase& c, std::ostream* out)
{
    *out << c.name;
}

class TextBoxTest : public testing::TestWithParam<TextBoxCase> { };

TEST_P(TextBoxTest, ShowsAndStoresOnlyWhatItsFieldHolds)
{
    const TextBoxCase& c = GetParam();
    QString memo = QString::fromUtf8(c.before);
    TextControl box(bindTo(memo));
    box.setMaxLength(c.maxLength);
    auto* edit = static_cast<QPlainTextEdit*>(box.widget());
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(c.cursor < 0 ? int(edit->toPlainText().size()) : c.cursor);
    edit->setTextCursor(cursor);
    for (const QChar key : QString::fromUtf8(c.typed)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        QApplication::sendEvent(edit, &press);
    }
    if (*c.pasted) {
        QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        edit->paste();
    }
    EXPECT_EQ(box.text(), QString::fromUtf8(c.after));
    box.commit();
    EXPECT_EQ(memo, QString::fromUtf8(c.after));
}

INSTANTIATE_TEST_SUITE_P(TextBox, TextBoxTest,
    testing::Values(
        TextBoxCase { "TypingPastTheSizeDoesNothing", 10, "abcdefgh", -1, "xyz", "", "abcdefghxy" },
        TextBoxCase { "APasteIsCutWhereItWouldPassTheSize", 10, "abcde", -1, "", "0123456789", "abcde01234" },
        TextBoxCase { "APasteInTheMiddleKeepsWhatFollows", 10, "abcdefgh", 2, "", "XYZ", "abXYcdefgh" },
        TextBoxCase { "ALineBreakCountsAsOne", 5, "", -1, "", "ab\ncdef", "ab\ncd" },
        TextBoxCase { "CharactersTheCodePageLacksAreRefusedWhenPasted", 0, "", -1, "",
            "a\u2713b\U0001F600c\u20AC\u00F1", "abc\u20AC\u00F1" },
        TextBoxCase {
            "CharactersTheCodePageLacksAreRefusedWhenTyped", 0, "año", -1, "\u2713\u03A9!", "", "año!" },
        TextBoxCase { "WithinTheSizeEverythingStays", 1000, "Asma", -1, " leve", "", "Asma leve" }),
    [](const testing::TestParamInfo<TextBoxCase>& param) { return std::string(param.param.name); });

TEST(TextBoxShown, AStoredValueLongerThanTheFieldShowsCutAndAReadOnlyBoxTakesNoTyping)
{
    QString memo(12, u'x');
    TextControl box(bindTo(memo));
    box.setMaxLength(10);
    box.display();
    EXPECT_EQ(box.text(), QString(10, u'x'));
    box.setReadOnly(true);
    auto* edit = static_cast<QPlainTextEdit*>(box.widget());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    EXPECT_EQ(box.text(), QString(10, u'x'));
    EXPECT_NE(edit->palette().color(QPalette::Base), QApplication::palette(edit).color(QPalette::Base));
}

} // namespace
} // namespace nidora::framework::test
