#pragma once

#include "shell/TextMatcher.h"
#include "shell/ThreadDataHooks.h"

#include "controls/ThemeLibrary.h"
#include "framework/MessageBoxes.h"
#include "framework/Scheduler.h"
#include "platform/AppSettings.h"
#include "views/LockWaits.h"
#include "views/RebuiltKeyLists.h"

namespace nidora::shell {

struct ProgramServices {
    ThreadDataHooks threadData;
    // The application frame: runs on the main thread and returns when the frame has closed.
    framework::ThreadProcedure frame;
};

// The process's own life, for a QApplication that already exists. Constructing it is the global
// set-up (the theme library, globals back to their starting values, the global objects made,
// the components every window installs, the scheduler with every thread's set-up and tear-down); run() is the
// program's entry, step by step; destroying it is the tear-down: the main thread's data first, then the
// settings object. Each step is public so that a test can run them one at a time; run() runs them all, in
// order.
class Program {
public:
    explicit Program(ProgramServices services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void initialiseErrorManager();
    void initialiseTextMatcher();
    void openSettings();
    // Before any data file is opened: the super-journals that a crashed commit left behind,
    // and the files a creation cut short was building.
    void removeLeftovers();
    void setUpMainThreadData();
    void setDefaultWindowIcon();
    // Remembers the desktop's drag flag and, when it was on, switches it off for the run.
    void switchOffDragFlag();
    void runFrame();
    void updateSettings();
    // Puts the drag flag back on when it was on at start.
    void restoreDragFlag();
    void closeSettingsAndMatcher();

    // The steps in order; the process's exit code.
    int run();

    const platform::AppSettings& settings() const { return settings_; }
    const TextMatcher& textMatcher() const { return matcher_; }
    framework::Scheduler& scheduler() { return scheduler_; }

private:
    // First of the global objects: every window's theme manager draws through it.
    controls::ThemeLibrary themeLibrary_;
    ProgramServices services_;
    platform::AppSettings settings_;
    TextMatcher matcher_;
    // Shows the error manager's messages as the program's message boxes.
    framework::MessageBoxPresenter messageBoxes_;
    bool quitOnLastWindowClosed_;
    // Outlives the scheduler, whose end may still run threads that wait for a lock.
    views::YieldingLockWaits lockWaits_;
    views::RebuiltKeyLists rebuiltKeyLists_;
    // Last, so that it goes first: its end runs the main thread's tear-down.
    framework::Scheduler scheduler_;
};

} // namespace nidora::shell
