#include "shell/Main.h"

#include "shell/FrameRules.h"
#include "shell/MainFrame.h"
#include "views/DataFileChecks.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "framework/Await.h"
#include "framework/CloseDown.h"
#include "framework/MessageBoxes.h"
#include "framework/WindowArea.h"
#include "platform/PracticeSettings.h"
#include "platform/PrinterSetup.h"
#include "platform/Shell.h"

#include <QMdiArea>

#include <optional>

namespace nidora::shell {

namespace {

// The frame's own event for its window being asked to close; commands come as their control
// numbers, which are all negative.
constexpr int kFrameCloseRequested = 1;

int startProcedure(const char* name, std::size_t stackSize, const FrameServices& services)
{
    const auto it = services.procedures.find(QString::fromUtf8(name));
    if (it == services.procedures.end())
        return 0;
    return services.startThread(it->second, stackSize);
}

void openHelpPage()
{
    views::AppGlobals.ShellTarget = QString::fromUtf8(kHelpPage);
    platform::ShellOpenWithMessage(
        views::AppGlobals.ShellTarget, [](const QString& text) { framework::showMessage(text); });
}

// The frame's thread waits on the printer set-up as on a message: its own commands wait with it,
// the windows of every other thread stay usable.
void setUpPrinter(MainFrame& frame)
{
    framework::awaitAnswer<bool>(
        [&frame](auto done) { platform::PrinterSetupService::current().setUp(&frame, std::move(done)); });
}

// Every window started from the frame runs on a thread of its own: asking those threads to end
// closes whatever the close-down left (windows that are no window procedure's) as their
// procedures unwind.
void closeOtherWindows(MainFrame& frame)
{
    if (framework::Scheduler* scheduler = framework::Scheduler::instance())
        scheduler->endOtherThreads();
    frame.workspace()->closeAllSubWindows();
}

// The frame closes only once every other window has closed the way its own close box closes it;
// a window that stays open keeps the program open.
bool closeDown(MainFrame& frame)
{
    if (!framework::closeOtherThreadsWindows())
        return false;
    frame.allowClose();
    frame.close();
    return true;
}

} // namespace

void openFrame(MainFrame& frame, const FrameServices& services)
{
    // Whatever is clicked while the login runs is not taken: the rights are not known yet.
    frame.takeCommands(false);
    if (services.login)
        services.login();
    frame.takeCommands(true);
    if (views::AppGlobals.LoggedIn == 0)
        QMetaObject::invokeMethod(&frame, &QWidget::close, Qt::QueuedConnection);
    views::AppGlobals.CurrentPhysician
        = physicianFromSetting(platform::PracticeSettings::read(QStringLiteral("medico")));
    applyRights(frame, views::AppGlobals, services.procedures);
    frame.update();
}

void runFrameCommand(int control, MainFrame& frame, const FrameServices& services)
{
    const FrameCommand* command = findFrameCommand(control);
    // The rights are looked at again whatever way the command came (menu, toolbar, shortcut or
    // an event queued before the rights were known), not only through its enabled state.
    if (!command || !commandAvailable(*command, views::AppGlobals, services.procedures))
        return;
    switch (command->action) {
    case FrameAction::StartProcedure:
        startProcedure(command->procedure, command->stackSize, services);
        break;
    case FrameAction::PrinterSetup:
        setUpPrinter(frame);
        break;
    case FrameAction::Exit:
        frame.close();
        break;
    case FrameAction::Cut:
    case FrameAction::Copy:
    case FrameAction::Paste:
        MainFrame::editFocused(command->action);
        break;
    case FrameAction::Tile:
    case FrameAction::Cascade:
    case FrameAction::ArrangeIcons:
        frame.arrangeWindows(command->action);
        break;
    case FrameAction::HelpPage:
        openHelpPage();
        break;
    case FrameAction::Email:
        platform::ShellOpen(QStringLiteral("mailto:") + QString::fromUtf8(kContactAddress));
        break;
    }
}

void Main(const FrameServices& services)
{
    core::AppErrorManager.addProcedure(QStringLiteral("Main"));
    {
        MainFrame frame;
        // Every window of the program opens in the frame's workspace.
        framework::setWindowArea(frame.workspace());
        framework::ThreadEventQueue& events = framework::currentThread().events();
        events.forward(&frame, &MainFrame::closeRequested, kFrameCloseRequested);
        // The frame asked to close while the login still waits for a code: the login ends as by
        // its close box, with nobody logged in, and the frame's loop then closes down.
        bool loggingIn = true;
        QObject::connect(&frame, &MainFrame::closeRequested, frame.workspace(), [&frame, &loggingIn] {
            if (loggingIn)
                frame.workspace()->closeAllSubWindows();
        });
        QObject::connect(&frame, &MainFrame::commandChosen, &events, [&events, &frame](int control) {
            events.post(framework::ThreadEvent { control, &frame, {} });
        });
        frame.show();
        openFrame(frame, services);
        loggingIn = false;
        // The login has checked the users file; the others are checked while the program works.
        std::optional<views::DataFileChecks> checks;
        if (views::AppGlobals.LoggedIn != 0)
            checks.emplace();
        views::AppGlobals.SplashThread = startProcedure(kSplashProcedure, 0, services);
        while (auto event = events.nextEvent(&frame)) {
            if (event->code != kFrameCloseRequested)
                runFrameCommand(event->code, frame, services);
            else if (closeDown(frame))
                break;
        }
        closeOtherWindows(frame);
        framework::setWindowArea(nullptr);
    }
    core::AppErrorManager.removeProcedure();
}

} // namespace nidora::shell
