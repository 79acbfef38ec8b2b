#include "WindowTestSupport.h"

#include "framework/KeyCodes.h"
#include "framework/WindowArea.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

// Notes alert keys and timer events, and runs the accept-all pass when asked.
class InputWindow : public SampleWindow {
public:
    explicit InputWindow(std::vector<std::string>* log)
        : SampleWindow(QStringLiteral("Input"), log)
        , log_(*log)
    {
        second_ = &add<EntryControl>(QStringLiteral("?SEGUNDO"), DialogRect { 50, 4, 40, 12 },
            QStringLiteral("@s10"), entryValue(text));
    }

    QString text;
    bool movesFocusAway = false;
    bool putsFocusBack = false;
    std::optional<bool> passCompleted;

protected:
    int onFieldEvent(Control& control, const ThreadEvent& event) override
    {
        if (event.code == event::AlertKey)
            log_.push_back(
                "alert key " + std::to_string(event.value.toInt()) + " on " + control.name().toStdString());
        return SampleWindow::onFieldEvent(control, event);
    }
    int onAccepted(Control& control) override
    {
        if (&control == second_ && movesFocusAway)
            select(1);
        if (&control == second_ && putsFocusBack)
            select(control);
        return SampleWindow::onAccepted(control);
    }
    int onTimer() override
    {
        log_.push_back("timer");
        setTimer(0);
        return handled::GoOn;
    }
    int onWindowEvent(const ThreadEvent& event) override
    {
        if (event.code == kAcceptAll)
            passCompleted = acceptAll();
        return SampleWindow::onWindowEvent(event);
    }

public:
    static constexpr int kAcceptAll = 100;

private:
    std::vector<std::string>& log_;
    Control* second_;
};

class WindowInputTest : public WindowsTest {
protected:
    InputWindow* window = nullptr;

    void startWindow(const std::function<void(InputWindow&)>& prepare = {})
    {
        driver.start([this, prepare] {
            InputWindow input(&log);
            if (prepare)
                prepare(input);
            window = &input;
            input.run();
            window = nullptr;
        });
        ASSERT_NE(window, nullptr);
    }
    void finish()
    {
        driver.close(QStringLiteral("Input"));
        EXPECT_TRUE(runUntilEnded(2));
    }
};

TEST_F(WindowInputTest, AlertKeyRaisesAnEventInsteadOfItsUsualEffect)
{
    startWindow([](InputWindow& input) { input.control(3)->addAlertKey(keys::withCtrl(keys::Enter)); });
    driver.pressKey(QStringLiteral("?SEGUNDO"), keys::withCtrl(keys::Enter));
    driver.pressKey(QStringLiteral("?CODIGO"), keys::withCtrl(keys::Enter));
    EXPECT_THAT(log,
        ::testing::Contains("alert key " + std::to_string(keys::withCtrl(keys::Enter)) + " on ?SEGUNDO"));
    EXPECT_THAT(log, ::testing::Not(::testing::Contains(::testing::HasSubstr("on ?CODIGO"))));
    finish();
}

TEST_F(WindowInputTest, WindowAlertKeyReachesWhicheverControlHasIt)
{
    startWindow([](InputWindow& input) { input.addAlertKey(keys::functionKey(2)); });
    driver.pressKey(QStringLiteral("?CODIGO"), keys::functionKey(2));
    EXPECT_THAT(
        log, ::testing::Contains("alert key " + std::to_string(keys::functionKey(2)) + " on ?CODIGO"));
    finish();
}

TEST_F(WindowInputTest, TimerRaisesTimerEvents)
{
    startWindow([](InputWindow& input) { input.setTimer(1); });
    ASSERT_TRUE(driver.runUntil([&] { return std::find(log.begin(), log.end(), "timer") != log.end(); }));
    finish();
}

TEST_F(WindowInputTest, AcceptAllTakesEveryEntryInWindowOrder)
{
    startWindow();
    driver.type(QStringLiteral("?CODIGO"), QStringLiteral("12"));
    driver.type(QStringLiteral("?SEGUNDO"), QStringLiteral("Ana"));
    window->post(InputWindow::kAcceptAll);
    driver.settle();
    ASSERT_TRUE(window->passCompleted.has_value());
    EXPECT_TRUE(*window->passCompleted);
    EXPECT_EQ(window->value, 12);
    EXPECT_EQ(window->text, QStringLiteral("Ana"));
    finish();
}

TEST_F(WindowInputTest, AcceptAllEndsWhereAHandlerMovesTheFocusAway)
{
    startWindow([](InputWindow& input) { input.movesFocusAway = true; });
    window->post(InputWindow::kAcceptAll);
    driver.settle();
    ASSERT_TRUE(window->passCompleted.has_value());
    EXPECT_FALSE(*window->passCompleted);
    finish();
}

TEST_F(WindowInputTest, AcceptAllEndsWhereAHandlerPutsTheFocusBackOnItsOwnControl)
{
    startWindow([](InputWindow& input) { input.putsFocusBack = true; });
    window->post(InputWindow::kAcceptAll);
    driver.settle();
    ASSERT_TRUE(window->passCompleted.has_value());
    EXPECT_FALSE(*window->passCompleted);
    finish();
}

TEST_F(WindowInputTest, AcceptAllStopsAtAnEntryThatRefusesItsText)
{
    startWindow();
    driver.type(QStringLiteral("?CODIGO"), QStringLiteral("x"));
    window->post(InputWindow::kAcceptAll);
    ASSERT_TRUE(driver.answer(inputErrorText(InputError::NotANumber), QStringLiteral("OK")));
    ASSERT_TRUE(window->passCompleted.has_value());
    EXPECT_FALSE(*window->passCompleted);
    EXPECT_EQ(window->value, 0);
    finish();
}

TEST_F(WindowsTest, WindowsOpenInTheWorkspaceAndItsCloseBoxAsksTheLoop)
{
    QMdiArea workspace;
    workspace.show();
    setWindowArea(&workspace);
    bool ended = false;
    driver.start([&] {
        SampleWindow window(QStringLiteral("Inside"));
        window.run();
        ended = true;
    });
    ASSERT_EQ(workspace.subWindowList().size(), 1);
    QMdiSubWindow* frame = workspace.subWindowList().front();
    EXPECT_EQ(frame->widget()->windowTitle(), QStringLiteral("Inside"));
    frame->close();
    EXPECT_TRUE(driver.runUntil([&] { return ended; }));
    EXPECT_TRUE(workspace.subWindowList().isEmpty());
    setWindowArea(nullptr);
}

} // namespace
} // namespace nidora::framework::test
