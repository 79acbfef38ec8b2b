#include "FakeProcedures.h"
#include "UsersFile.h"

#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "shell/Program.h"
#include "views/ProgramGlobals.h"

#include "support/ScratchDirectory.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace nidora::shell {
namespace {

QLineEdit* loginEntry()
{
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* entry = qobject_cast<QLineEdit*>(widget);
            entry && entry->objectName() == QStringLiteral("?CODIGO") && entry->isVisible())
            return entry;
    }
    return nullptr;
}

MainFrame* shownFrame()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<MainFrame*>(window); frame && frame->isVisible())
            return frame;
    }
    return nullptr;
}

// One thing the user does, tried on every tick of the event loop until it is done.
using Step = std::function<bool()>;

// Types a code into the login window and presses OK; done once the window has handled it: the
// window closed, or the focus is back on the code.
Step typeAtLogin(const char* code)
{
    return [code, pressed = false]() mutable {
        QLineEdit* entry = loginEntry();
        if (pressed)
            return entry == nullptr || entry->window()->focusWidget() == entry;
        if (entry == nullptr)
            return false;
        auto* ok = entry->window()->findChild<QPushButton*>(QStringLiteral("?OK"));
        entry->setText(QString::fromUtf8(code));
        ok->setFocus();
        ok->click();
        pressed = true;
        return false;
    };
}

// Once the frame is open with the login gone: looks at it, then closes it.
Step inTheFrame(std::function<void(MainFrame&)> look)
{
    return [look = std::move(look)] {
        MainFrame* frame = shownFrame();
        if (frame == nullptr || loginEntry() != nullptr)
            return false;
        look(*frame);
        frame->close();
        return true;
    };
}

// The program started in a folder, as a user runs it: every window but the login and the frame is
// a fake that only notes it ran.
class FirstInstallationTest : public ::testing::Test {
protected:
    nidora::test::ScratchDirectory scratch;
    std::vector<test::Ran> ran;
    std::vector<std::size_t> stacks;
    const bool quitOnLastWindowClosed = QApplication::quitOnLastWindowClosed();

    FirstInstallationTest() { QApplication::setQuitOnLastWindowClosed(false); }
    ~FirstInstallationTest() override { QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed); }

    // Runs the program until it ends; false when it did not end by itself (a step was never
    // done, so the login and the frame were closed to end the run).
    bool runProgram(std::vector<Step> steps)
    {
        FrameServices services = test::recordingServices(ran, stacks);
        services.login = Identificacion;
        std::size_t next = 0;
        int ticksLeft = 4000;
        bool forced = false;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (next < steps.size() && steps[next]())
                ++next;
            if (next == steps.size() || --ticksLeft > 0)
                return;
            forced = true;
            if (QLineEdit* entry = loginEntry())
                entry->window()->close();
            if (MainFrame* frame = shownFrame())
                frame->close();
        });
        ticks.start(5);
        Program program({ ThreadDataHooks {}, [&services] { Main(services); } });
        program.run();
        return !forced;
    }

    static bool enabled(MainFrame& frame, int control) { return frame.command(control)->isEnabled(); }
};

TEST_F(FirstInstallationTest, TheMasterPasswordOpensANewFolderOnlyUntilItsFirstAdministratorExists)
{
    bool usersCommand = false;
    ASSERT_TRUE(runProgram({ typeAtLogin("kwrt519"), inTheFrame([&](MainFrame& frame) {
                                usersCommand = enabled(frame, -2);
                                // The administrator created in the users list.
                                test::addUser("jefa", "Jefa de la consulta", { 30 });
                                test::addUser("ana", "Ana", { 1, 4 });
                            }) }));
    EXPECT_TRUE(usersCommand) << "the master password grants the users list";

    std::vector<bool> administratorCommands;
    ASSERT_TRUE(runProgram({ typeAtLogin("kwrt519"), typeAtLogin("JEFA"), inTheFrame([&](MainFrame& frame) {
                                for (int control : { -2, -20, -22 })
                                    administratorCommands.push_back(enabled(frame, control));
                            }) }));
    EXPECT_EQ(views::AppGlobals.CurrentUserName, QStringLiteral("Jefa de la consulta").leftJustified(30));
    EXPECT_EQ(administratorCommands, (std::vector<bool> { true, false, false }))
        << "right 30 alone: the users list, not the patients or the tables";

    std::vector<bool> userCommands;
    ASSERT_TRUE(runProgram({ typeAtLogin("Ana"), inTheFrame([&](MainFrame& frame) {
                                for (int control : { -2, -20, -22, -28 })
                                    userCommands.push_back(enabled(frame, control));
                            }) }));
    EXPECT_EQ(userCommands, (std::vector<bool> { false, true, false, true }));
}

TEST_F(FirstInstallationTest, ThreeWrongCodesEndTheProgramWithNobodyLoggedIn)
{
    ASSERT_TRUE(runProgram({ typeAtLogin("uno"), typeAtLogin("dos"), typeAtLogin("tres") }));
    EXPECT_EQ(views::AppGlobals.LoggedIn, 0);
    EXPECT_EQ(shownFrame(), nullptr);
}

TEST_F(FirstInstallationTest, ClosingTheFrameDuringTheLoginEndsTheProgram)
{
    ASSERT_TRUE(runProgram({ [] {
        MainFrame* frame = shownFrame();
        if (frame == nullptr || loginEntry() == nullptr)
            return false;
        frame->close();
        return true;
    } }));
    EXPECT_EQ(views::AppGlobals.LoggedIn, 0);
}

} // namespace
} // namespace nidora::shell
