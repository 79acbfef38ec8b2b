#include "WindowTestSupport.h"

#include "framework/CloseDown.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <optional>

namespace nidora::framework::test {
namespace {

using testing::UnorderedElementsAre;

// A window that notes when it closes and, while told to keep open, answers its close box as a
// form whose user pressed Cancel on the question does.
class ClosingWindow final : public SampleWindow {
public:
    ClosingWindow(const QString& caption, std::vector<std::string>& closed)
        : SampleWindow(caption)
        , caption_(caption.toStdString())
        , closed_(closed)
    {
    }

    bool keepOpen = false;

protected:
    int onWindowEvent(const ThreadEvent& event) override
    {
        if (event.code != event::CloseWindow)
            return SampleWindow::onWindowEvent(event);
        if (keepOpen)
            return handled::Consumed;
        closed_.push_back(caption_);
        return handled::EndLoop;
    }

private:
    std::string caption_;
    std::vector<std::string>& closed_;
};

class CloseDownTest : public WindowsTest {
protected:
    std::vector<std::string> closed;
    ClosingWindow* keeper = nullptr;

    // A list with a form open over it on one thread, as a list's insert leaves them.
    void startListWithForm()
    {
        driver.start([this] {
            ClosingWindow list(QStringLiteral("List"), closed);
            list.onOk = [this] {
                callWithRequest(InsertRecord, [this] {
                    ClosingWindow form(QStringLiteral("Form"), closed);
                    form.run();
                });
            };
            list.run();
        });
        driver.click(QStringLiteral("?OK:List"));
        ASSERT_NE(driver.window(QStringLiteral("Form")), nullptr);
    }

    void startKeeper()
    {
        driver.start([this] {
            ClosingWindow window(QStringLiteral("Keeper"), closed);
            window.keepOpen = true;
            keeper = &window;
            window.run();
            keeper = nullptr;
        });
    }

    // Runs the close-down from a thread of its own, as the frame's procedure does.
    std::optional<bool> closeDown()
    {
        std::optional<bool> answer;
        const int asking = driver.start([&answer] { answer = closeOtherThreadsWindows(); });
        EXPECT_TRUE(runUntil([&] { return answer.has_value() && scheduler.find(asking) == nullptr; }));
        return answer;
    }
};

TEST_F(CloseDownTest, EveryOtherThreadsWindowsCloseAsTheirCloseBoxesWouldTheLatestFirst)
{
    startListWithForm();
    driver.start([this] {
        ClosingWindow other(QStringLiteral("Other"), closed);
        other.run();
    });
    EXPECT_EQ(closeDown(), true);
    EXPECT_THAT(closed, UnorderedElementsAre("Form", "List", "Other"));
    EXPECT_LT(
        std::find(closed.begin(), closed.end(), "Form"), std::find(closed.begin(), closed.end(), "List"))
        << "the form over the list closes first, as only it takes input";
    EXPECT_TRUE(runUntil([&] { return scheduler.threadCount() == 1; }));
}

// The window that stays open comes forward; the close-down can be asked again once its user
// lets it go.
TEST_F(CloseDownTest, AWindowThatStaysOpenKeepsTheProgramOpen)
{
    startKeeper();
    startListWithForm();
    EXPECT_EQ(closeDown(), false);
    ASSERT_NE(keeper, nullptr);
    EXPECT_NE(driver.window(QStringLiteral("Keeper")), nullptr);
    keeper->keepOpen = false;
    EXPECT_EQ(closeDown(), true);
    EXPECT_EQ(closed.back(), "Keeper");
    EXPECT_TRUE(runUntil([&] { return scheduler.threadCount() == 1; }));
}

TEST_F(CloseDownTest, WithNoOtherWindowThereIsNothingToWaitFor)
{
    driver.start(loopUntilQuit());
    EXPECT_EQ(closeDown(), true);
    post(2, kQuit);
    EXPECT_TRUE(runUntilEnded(2));
}

} // namespace
} // namespace nidora::framework::test
