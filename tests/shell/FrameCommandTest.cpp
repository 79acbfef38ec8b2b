#include "FakeProcedures.h"
#include "support/RunUntil.h"

#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "framework/Await.h"
#include "platform/PrinterSetupDouble.h"
#include "platform/ShellLauncherDouble.h"
#include "support/ScratchDirectory.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nidora::shell {
namespace {

using test::Ran;

// A frame whose procedures are fakes (see recordingServices).
class FrameCommandTest : public ::testing::Test {
protected:
    nidora::test::ScratchDirectory scratch;
    framework::Scheduler scheduler;
    std::vector<Ran> ran;
    std::vector<std::size_t> stacks;
    FrameServices services = test::recordingServices(ran, stacks);
    MainFrame frame;

    FrameCommandTest()
    {
        views::AppGlobals = views::ProgramGlobals {};
        test::logInWithAllRights();
    }

    static bool runUntil(const std::function<bool()>& done) { return nidora::test::runUntil(done); }

    bool allEnded()
    {
        return runUntil([this] { return scheduler.threadCount() == 1; });
    }

    // Runs a command on a logical thread of its own, as the frame's own thread does.
    void runOnAThread(int control)
    {
        framework::StartOnNewThread([this, control] { runFrameCommand(control, frame, services); }, 0);
    }

    QMessageBox* shownMessage()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
                return box;
        }
        return nullptr;
    }
};

struct CommandCase {
    int control;
    const char* procedure;
    std::size_t stack;
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.control << ' ' << c.procedure;
}

class StartingCommandTest : public FrameCommandTest, public ::testing::WithParamInterface<CommandCase> { };

TEST_P(StartingCommandTest, StartsItsProcedureOnANewThreadWithItsStack)
{
    const CommandCase& c = GetParam();
    runFrameCommand(c.control, frame, services);
    EXPECT_TRUE(ran.empty()) << "the command returned before its window ran";
    ASSERT_TRUE(allEnded());
    EXPECT_EQ(stacks, std::vector<std::size_t> { c.stack });
    EXPECT_EQ(ran, (std::vector<Ran> { { c.procedure, 2 } }));
}

INSTANTIATE_TEST_SUITE_P(Commands, StartingCommandTest,
    ::testing::Values(CommandCase { -2, "BrowseUSUARIOS", 25'000 },
        CommandCase { -3, "BrowseMEDICOS", 25'000 }, CommandCase { -4, "PantallaCopia", 25'000 },
        CommandCase { -5, "PantallaRestaurar", 25'000 }, CommandCase { -13, "Informes", 25'000 },
        CommandCase { -14, "Graficos", 25'000 }, CommandCase { -19, "HelpAbout", 25'000 },
        CommandCase { -20, "BrowsePACIENTES", 50'000 }, CommandCase { -21, "BrowseMADRES", 25'000 },
        CommandCase { -30, "BrowsePADRES", 25'000 }, CommandCase { -22, "Tablas", 50'000 },
        CommandCase { -28, "BrowseAGENDA", 25'000 }, CommandCase { -29, "Biblioteca", 25'000 },
        CommandCase { -23, "Informes", 25'000 }, CommandCase { -24, "Graficos", 50'000 }),
    [](const auto& param) {
        return std::string(param.param.procedure) + std::to_string(-param.param.control);
    });

TEST_F(FrameCommandTest, TheSameCommandTwiceOpensTwoThreads)
{
    runFrameCommand(-21, frame, services);
    runFrameCommand(-21, frame, services);
    ASSERT_TRUE(allEnded());
    EXPECT_EQ(ran, (std::vector<Ran> { { "BrowseMADRES", 2 }, { "BrowseMADRES", 3 } }));
}

TEST_F(FrameCommandTest, ACommandWithoutItsWindowStartsNothing)
{
    services.procedures.erase(QStringLiteral("Tablas"));
    runFrameCommand(-22, frame, services);
    EXPECT_TRUE(stacks.empty());
}

TEST_F(FrameCommandTest, AHelpPageThatCannotBeOpenedIsShownAsAMessage)
{
    nidora::test::ShellLauncherDouble launcher;
    platform::ShellLauncherService::Override useLauncher(launcher);
    runOnAThread(-25);
    QMessageBox* box = nullptr;
    ASSERT_TRUE(runUntil([&] { return (box = shownMessage()) != nullptr; }));
    EXPECT_EQ(box->text(), QStringLiteral("File not found\nnidora.htm"));
    EXPECT_TRUE(box->windowTitle().isEmpty());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(views::AppGlobals.ShellTarget, QStringLiteral("nidora.htm"));
    box->button(QMessageBox::Ok)->click();
    ASSERT_TRUE(allEnded());
    EXPECT_TRUE(launcher.handed.empty());
}

TEST_F(FrameCommandTest, AHelpPageThatOpensShowsNothingAndTheEmailLinkNeverReports)
{
    QFile page(scratch.filePath(QStringLiteral("nidora.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    nidora::test::ShellLauncherDouble launcher;
    platform::ShellLauncherService::Override useLauncher(launcher);
    runOnAThread(-25);
    ASSERT_TRUE(allEnded());
    launcher.accepts = false;
    runOnAThread(-26);
    ASSERT_TRUE(allEnded());
    EXPECT_EQ(shownMessage(), nullptr);
    ASSERT_EQ(launcher.handed.size(), 2u);
    EXPECT_TRUE(launcher.handed[0].isLocalFile());
    EXPECT_TRUE(launcher.handed[0].toLocalFile().endsWith(QStringLiteral("/nidora.htm")));
    EXPECT_EQ(launcher.handed[1].toString(), QStringLiteral("mailto:") + QString::fromUtf8(kContactAddress));
}

TEST_F(FrameCommandTest, PrinterSetUpIsAskedOverTheFrameAndTheCommandWaitsForTheAnswer)
{
    nidora::test::PrinterSetupDouble printer;
    platform::PrinterSetupService::Override usePrinter(printer);
    runOnAThread(-6);
    ASSERT_TRUE(runUntil([&] { return !printer.waiting.empty(); }));
    EXPECT_EQ(printer.parents, std::vector<QWidget*> { &frame });
    QCoreApplication::processEvents();
    EXPECT_EQ(scheduler.threadCount(), 2) << "the command still waits for the set-up";
    printer.answer(true);
    ASSERT_TRUE(allEnded());
}

TEST_F(FrameCommandTest, ArrangeIconsLinesTheMinimisedWindowsUpAlongTheBottom)
{
    frame.show();
    std::vector<QMdiSubWindow*> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(frame.workspace()->addSubWindow(new QWidget));
        windows.back()->show();
    }
    windows[0]->showMinimized();
    windows[2]->showMinimized();
    runFrameCommand(-17, frame, services);
    const int bottom = frame.workspace()->viewport()->height();
    EXPECT_EQ(windows[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[2]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[0]->x(), 0);
    EXPECT_EQ(windows[2]->x(), windows[0]->width()) << "side by side, not one over the other";
}

TEST_F(FrameCommandTest, CutCopyAndPasteWorkOnTheFocusedEditor)
{
    QWidget window;
    auto* from = new QLineEdit(QStringLiteral("Pérez"), &window);
    auto* to = new QLineEdit(&window);
    to->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    from->setFocus();
    from->selectAll();
    runFrameCommand(-10, frame, services);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Pérez"));
    runFrameCommand(-9, frame, services);
    EXPECT_TRUE(from->text().isEmpty());
    to->setFocus();
    runFrameCommand(-11, frame, services);
    EXPECT_EQ(to->text(), QStringLiteral("Pérez"));
}

// The frame's procedure then closes the other windows before the frame goes (MainTest).
TEST_F(FrameCommandTest, ExitAsksTheFrameToClose)
{
    frame.show();
    bool asked = false;
    QObject::connect(&frame, &MainFrame::closeRequested, [&] { asked = true; });
    runFrameCommand(-7, frame, services);
    EXPECT_TRUE(asked);
}

// However a command arrives (a menu item, a button, a shortcut, an event queued while the login
// ran), it starts nothing the logged-in user has no right to, even with its item enabled.
TEST_F(FrameCommandTest, ACommandLooksAtTheRightsWhenItStarts)
{
    struct Case {
        int control;
        int right;
    };
    for (const Case c : { Case { -2, 30 }, Case { -20, 1 }, Case { -22, 3 }, Case { -28, 4 }, Case { -23, 5 },
             Case { -24, 6 } }) {
        SCOPED_TRACE(c.control);
        views::AppGlobals.grantAllRights();
        views::AppGlobals.AccessRights[std::size_t(c.right - 1)] = 0;
        frame.command(c.control)->setEnabled(true);
        runFrameCommand(c.control, frame, services);
        EXPECT_TRUE(stacks.empty());
    }
    views::AppGlobals.AccessRights.fill(0);
    views::AppGlobals.AccessRights[0] = 1;
    runFrameCommand(-20, frame, services);
    runFrameCommand(-2, frame, services);
    ASSERT_TRUE(allEnded());
    EXPECT_EQ(ran, (std::vector<Ran> { { "BrowsePACIENTES", 2 } })) << "a user with right 1 only";
}

} // namespace
} // namespace nidora::shell
