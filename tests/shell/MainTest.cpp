#include "FakeProcedures.h"

#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "framework/Await.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"
#include "platform/PracticeSettings.h"
#include "support/ScratchDirectory.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace nidora::shell {
namespace {

using test::Ran;

// Runs the frame's procedure as the main thread, as the program does, with a step run from the
// event loop whenever the frame is open, until the frame's procedure returns.
class MainTest : public ::testing::Test {
protected:
    nidora::test::ScratchDirectory scratch;
    std::vector<Ran> ran;
    std::vector<std::size_t> stacks;
    FrameServices services = test::recordingServices(ran, stacks);
    framework::Scheduler scheduler;

    const bool quitOnLastWindowClosed = QApplication::quitOnLastWindowClosed();

    MainTest()
    {
        views::AppGlobals = views::ProgramGlobals {};
        QApplication::setQuitOnLastWindowClosed(false);
    }
    ~MainTest() override { QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed); }

    static MainFrame* openFrame()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* frame = qobject_cast<MainFrame*>(window); frame && frame->isVisible())
                return frame;
        }
        return nullptr;
    }

    // whileOpen runs on each tick while the frame is open, until it returns true.
    void runMain(const std::function<bool(MainFrame&)>& whileOpen)
    {
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (MainFrame* frame = openFrame(); frame && whileOpen(*frame))
                ticks.stop();
        });
        ticks.start(5);
        scheduler.runMainThread([this] { Main(services); });
    }
};

TEST_F(MainTest, AFailedLoginClosesTheFrameAfterItsOpeningAndTheSplashStillStarts)
{
    services.login = [] {};
    runMain([](MainFrame&) { return false; });
    EXPECT_EQ(openFrame(), nullptr);
    EXPECT_EQ(stacks, std::vector<std::size_t> { 0 }) << "the splash, with the smallest stack";
    EXPECT_EQ(views::AppGlobals.SplashThread, 2);
    EXPECT_EQ(views::AppGlobals.CurrentPhysician, 1) << "the opening ran to its end";
    EXPECT_TRUE(core::AppErrorManager.procedures().empty());
}

TEST_F(MainTest, OpeningTakesTheDoctorFromTheSettingsAndTheCommandsFromTheRights)
{
    ASSERT_TRUE(platform::PracticeSettings::writeInt(QStringLiteral("medico"), 3));
    services.login = [] {
        views::AppGlobals.LoggedIn = 1;
        views::AppGlobals.AccessRights[29] = 1;
    };
    bool patientsEnabled = true;
    bool usersEnabled = false;
    bool mainListed = false;
    runMain([&](MainFrame& frame) {
        patientsEnabled = frame.command(-20)->isEnabled();
        usersEnabled = frame.command(-2)->isEnabled();
        for (const auto& entry : core::AppErrorManager.procedures())
            mainListed = mainListed || (entry.thread == 1 && entry.name == QStringLiteral("Main"));
        frame.close();
        return true;
    });
    EXPECT_EQ(views::AppGlobals.CurrentPhysician, 3);
    EXPECT_FALSE(patientsEnabled);
    EXPECT_TRUE(usersEnabled);
    EXPECT_TRUE(mainListed);
}

TEST_F(MainTest, ClosingTheFrameClosesTheWindowsOfEveryOtherThread)
{
    QPointer<QWidget> madres;
    bool madresUnwound = false;
    services.procedures[QStringLiteral("BrowseMADRES")] = [&] {
        QWidget window;
        madres = &window;
        window.show();
        framework::waitForClose(&window);
        madresUnwound = true;
    };
    bool triggered = false;
    runMain([&](MainFrame& frame) {
        if (!triggered) {
            frame.command(-21)->trigger();
            triggered = true;
            return false;
        }
        if (!madres || !madres->isVisible())
            return false;
        frame.close();
        return true;
    });
    EXPECT_TRUE(madresUnwound);
    EXPECT_TRUE(madres.isNull());
    EXPECT_EQ(scheduler.threadCount(), 1);
}

// Clicked while the login runs, a command is not taken; one queued all the same (the event
// posted as a click would post it) starts nothing the user who then logs in has no right to.
TEST_F(MainTest, CommandsChosenWhileTheLoginRunsAreNotTaken)
{
    bool barsEnabled = true;
    bool usersEnabled = true;
    services.login = [&] {
        MainFrame* frame = openFrame();
        ASSERT_NE(frame, nullptr);
        barsEnabled = frame->menuBar()->isEnabled() || frame->toolbar()->isEnabled();
        usersEnabled = frame->command(-2)->isEnabled();
        emit frame->commandChosen(-2);
        views::AppGlobals.LoggedIn = 1;
        views::AppGlobals.AccessRights[0] = 1;
    };
    bool triggered = false;
    runMain([&](MainFrame& frame) {
        if (!triggered) {
            frame.command(-21)->trigger();
            triggered = true;
        }
        const bool madresRan
            = std::any_of(ran.begin(), ran.end(), [](const Ran& r) { return r.procedure == "BrowseMADRES"; });
        if (madresRan)
            frame.close();
        return madresRan;
    });
    EXPECT_FALSE(barsEnabled);
    EXPECT_FALSE(usersEnabled);
    EXPECT_EQ(
        std::count_if(ran.begin(), ran.end(), [](const Ran& r) { return r.procedure == "BrowseUSUARIOS"; }),
        0);
}

// A window procedure that answers its close box by staying open the first time, as a form
// whose user pressed Cancel on its question does.
class StayingOnceWindow final : public framework::Window {
public:
    explicit StayingOnceWindow(int& asked)
        : Window(QStringLiteral("StayingOnce"))
        , asked_(asked)
    {
        setCaption(QStringLiteral("Staying"));
    }

    bool opened = false;

protected:
    void onOpened() override { opened = true; }
    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        if (event.code != framework::event::CloseWindow)
            return Window::onWindowEvent(event);
        return ++asked_ == 1 ? framework::handled::Consumed : framework::handled::EndLoop;
    }

private:
    int& asked_;
};

TEST_F(MainTest, ClosingTheFrameClosesEachWindowAsItsCloseBoxAndOneThatStaysKeepsTheProgramOpen)
{
    int asked = 0;
    StayingOnceWindow* staying = nullptr;
    services.procedures[QStringLiteral("BrowseMADRES")] = [&] {
        StayingOnceWindow window(asked);
        staying = &window;
        window.run();
        staying = nullptr;
    };
    int step = 0;
    runMain([&](MainFrame& frame) {
        if (step == 0) {
            frame.command(-21)->trigger();
            step = 1;
        } else if (step == 1 && staying && staying->opened) {
            frame.close();
            step = 2;
        } else if (step == 2 && asked == 1) {
            // Still open: the frame's tick runs only while the frame is shown.
            frame.close();
            return true;
        }
        return false;
    });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(openFrame(), nullptr);
    EXPECT_EQ(scheduler.threadCount(), 1);
}

} // namespace
} // namespace nidora::shell
