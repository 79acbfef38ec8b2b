#include "WindowTestSupport.h"

#include "framework/Colour.h"
#include "framework/ControlLabels.h"

#include <QLabel>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

constexpr quint32 kLightYellow = 0x80FFFF;

// A yellow entry under its prompt, as the clinical forms lay their fields out.
class PromptedEntry final : public SampleWindow {
public:
    PromptedEntry()
        : SampleWindow(QStringLiteral("Motivo"))
    {
        add<PromptControl>(
            QStringLiteral("?MOTIVO:Prompt"), DialogRect { 50, 4, 30, 10 }, QStringLiteral("Motivo:"));
        entry = &add<EntryControl>(QStringLiteral("?MOTIVO"), DialogRect { 82, 4, 60, 12 },
            QStringLiteral("@s20"), entryValue(reason));
        entry->setBackground(kLightYellow);
    }

    QString reason = QStringLiteral("CONTROL");
    Control* entry = nullptr;
};

class DisabledControlsTest : public WindowsTest { };

TEST_F(DisabledControlsTest, ADisabledEntryAndItsPromptAreDrawnDisabledAndComeBackWhenEnabled)
{
    PromptedEntry* window = nullptr;
    driver.start([&window] {
        PromptedEntry shown;
        window = &shown;
        shown.run();
        window = nullptr;
    });
    ASSERT_NE(window, nullptr);
    auto* prompt = qobject_cast<QLabel*>(driver.find(QStringLiteral("?MOTIVO:Prompt")));
    auto* entry = qobject_cast<QLineEdit*>(driver.find(QStringLiteral("?MOTIVO")));
    const QColor yellow = colour::toQColor(kLightYellow);
    EXPECT_EQ(entry->palette().color(QPalette::Active, QPalette::Base), yellow);

    window->entry->setEnabled(false);
    EXPECT_FALSE(prompt->isEnabled());
    EXPECT_NE(entry->palette().color(QPalette::Disabled, QPalette::Base), yellow)
        << "drawn in the disabled colours, not in its own";
    EXPECT_NE(prompt->palette().color(QPalette::Disabled, QPalette::WindowText),
        prompt->palette().color(QPalette::Active, QPalette::WindowText));

    window->entry->setEnabled(true);
    EXPECT_TRUE(prompt->isEnabled());
    EXPECT_EQ(entry->palette().color(QPalette::Active, QPalette::Base), yellow);
    driver.close(QStringLiteral("Motivo"));
    EXPECT_TRUE(runUntilEnded(2));
}

} // namespace
} // namespace nidora::framework::test
