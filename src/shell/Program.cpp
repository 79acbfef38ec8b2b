#include "shell/Program.h"

#include "shell/FrameIcons.h"
#include "views/ProgramGlobals.h"

#include "controls/ProgramComponents.h"
#include "core/ErrorManager.h"
#include "data/DataFile.h"
#include "data/RestoreRecord.h"
#include "data/SuperJournals.h"
#include "platform/DragFullWindows.h"

#include <QApplication>
#include <QDir>

namespace nidora::shell {

namespace {

constexpr unsigned kWriteAndBroadcast
    = platform::DragFullWindows::UpdateProfile | platform::DragFullWindows::BroadcastChange;

} // namespace

Program::Program(ProgramServices services)
    : services_(std::move(services))
    , quitOnLastWindowClosed_(QApplication::quitOnLastWindowClosed())
{
    views::AppGlobals = views::ProgramGlobals {};
    framework::setWindowComponents(controls::programComponents(themeLibrary_));
    // The program ends when the frame's procedure returns, after its closing steps; Qt ending the
    // event loop by itself as the frame's window goes would cut those short.
    QApplication::setQuitOnLastWindowClosed(false);
    installThreadHooks(scheduler_, core::AppErrorManager, services_.threadData);
}

Program::~Program()
{
    core::AppErrorManager.setPresenter(nullptr);
    framework::setWindowComponents({});
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed_);
}

void Program::initialiseErrorManager()
{
    provideThreadNumbers(core::AppErrorManager);
    core::AppErrorManager.setPresenter(&messageBoxes_);
}

void Program::initialiseTextMatcher()
{
    matcher_.open();
    matcher_.setIgnoreCase(true);
    matcher_.setWholeWordsOnly(false);
}

void Program::openSettings()
{
    settings_.open();
}

void Program::removeLeftovers()
{
    data::removeStaleSuperJournals(QDir::currentPath());
    data::DataFile::removeUnfinishedCreations(QDir::currentPath());
}

void Program::setUpMainThreadData()
{
    // A restore cut short is finished before any window reads a file, and what an unfinished
    // one left is removed.
    data::settleInterruptedRestore(QDir::currentPath(), std::chrono::seconds(10));
    if (services_.threadData.setUp)
        services_.threadData.setUp(scheduler_.currentContext());
}

void Program::setDefaultWindowIcon()
{
    QApplication::setWindowIcon(frameIcon(QStringLiteral("nidora.ico")));
}

void Program::switchOffDragFlag()
{
    platform::DragFullWindows& flag = platform::DragFullWindowsService::current();
    views::AppGlobals.ShowDragFullWindowsSaved = flag.get();
    if (views::AppGlobals.ShowDragFullWindowsSaved == 1)
        flag.set(false, kWriteAndBroadcast);
}

void Program::runFrame()
{
    if (services_.frame)
        scheduler_.runMainThread(services_.frame);
}

void Program::updateSettings()
{
    settings_.update();
}

void Program::restoreDragFlag()
{
    if (views::AppGlobals.ShowDragFullWindowsSaved == 1)
        platform::DragFullWindowsService::current().set(true, kWriteAndBroadcast);
}

void Program::closeSettingsAndMatcher()
{
    settings_.close();
    matcher_.close();
}

int Program::run()
{
    initialiseErrorManager();
    initialiseTextMatcher();
    openSettings();
    removeLeftovers();
    setUpMainThreadData();
    setDefaultWindowIcon();
    switchOffDragFlag();
    runFrame();
    updateSettings();
    restoreDragFlag();
    closeSettingsAndMatcher();
    return 0;
}

} // namespace nidora::shell
