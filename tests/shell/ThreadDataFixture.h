#pragma once

#include "shell/ThreadDataHooks.h"

#include "core/ErrorManager.h"
#include "framework/Scheduler.h"
#include "views/DictionarySetup.h"

namespace nidora::shell::test {

// Gives the test's threads their data as the program does: the main thread's set up now, every
// other thread's when it starts, each one's taken down when it ends. Declare it after the
// scheduler it serves.
struct ProgramThreadData {
    explicit ProgramThreadData(framework::Scheduler& scheduler)
    {
        installThreadHooks(scheduler, core::AppErrorManager, {});
        views::DictionarySetup(scheduler.currentContext());
    }
};

} // namespace nidora::shell::test
