#include "WindowTestSupport.h"

#include "framework/ControlCombo.h"
#include "framework/KeyCodes.h"
#include "support/QStringPrinter.h"

#include <QComboBox>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

// A combo over a text of ten characters, counting how often it is finished.
class ComboWindow : public Window {
public:
    ComboWindow()
        : Window(QStringLiteral("Sample:Combo"))
    {
        setCaption(QStringLiteral("Combo"));
        setSize(160, 60);
        combo_
            = &add<ComboControl>(QStringLiteral("?COMBO"), DialogRect { 4, 4, 80, 12 }, 10, 5, bindTo(value));
        add<EntryControl>(
            QStringLiteral("?OTRO"), DialogRect { 4, 24, 80, 12 }, QStringLiteral("@s10"), entryValue(other));
        combo_->setChoices({ QStringLiteral("Alfa"), QStringLiteral("Beta") });
    }

    QString value = QStringLiteral("Gamma");
    QString other;
    int accepted = 0;

protected:
    int onAccepted(Control& control) override
    {
        if (&control == combo_)
            ++accepted;
        return handled::GoOn;
    }

private:
    ComboControl* combo_;
};

class ComboControlTest : public WindowsTest {
protected:
    void SetUp() override
    {
        driver.start([this] {
            ComboWindow made;
            window = &made;
            made.run();
            window = nullptr;
        });
        ASSERT_NE(window, nullptr);
        combo = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?COMBO")));
        ASSERT_NE(combo, nullptr);
    }
    void TearDown() override
    {
        driver.close(QStringLiteral("Combo"));
        EXPECT_TRUE(runUntilEnded(2));
    }
    // Types over the combo's line as the user does, then presses Enter there.
    void typeAndEnter(const QString& text)
    {
        QLineEdit* line = combo->lineEdit();
        line->setFocus();
        line->selectAll();
        line->insert(text);
        driver.pressKey({}, keys::Enter);
    }

    ComboWindow* window = nullptr;
    QComboBox* combo = nullptr;
};

TEST_F(ComboControlTest, ShowsAValueOnNoRowAndKeepsWhatIsTypedWithoutAddingARow)
{
    EXPECT_EQ(combo->currentText(), "Gamma");
    typeAndEnter(QStringLiteral("Delta"));
    EXPECT_EQ(window->accepted, 1);
    EXPECT_EQ(window->value, "Delta");
    EXPECT_EQ(combo->count(), 2);
}

TEST_F(ComboControlTest, EnterOnTheTextOfARowFinishesTheLineOnce)
{
    typeAndEnter(QStringLiteral("beta"));
    EXPECT_EQ(window->accepted, 1);
    EXPECT_EQ(window->value, "Beta");
}

TEST_F(ComboControlTest, PickingARowPutsItsText)
{
    combo->setCurrentIndex(0);
    emit combo->activated(0); // as a pick in the dropped list does
    driver.settle();
    EXPECT_EQ(window->accepted, 1);
    EXPECT_EQ(window->value, "Alfa");
    driver.click(QStringLiteral("?OTRO"));
    EXPECT_EQ(window->accepted, 1); // leaving it after the pick finishes nothing more
}

TEST_F(ComboControlTest, LeavingTheLineAfterTypingFinishesItOnce)
{
    QLineEdit* line = combo->lineEdit();
    line->setFocus();
    line->selectAll();
    line->insert(QStringLiteral("Delta"));
    driver.type(QStringLiteral("?OTRO"), QStringLiteral("x"));
    driver.settle();
    EXPECT_EQ(window->accepted, 1);
    EXPECT_EQ(window->value, "Delta");
    combo->setFocus();
    driver.type(QStringLiteral("?OTRO"), QStringLiteral("y"));
    driver.settle();
    EXPECT_EQ(window->accepted, 1); // nothing typed this time
}

} // namespace
} // namespace nidora::framework::test
