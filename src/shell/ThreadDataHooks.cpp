#include "shell/ThreadDataHooks.h"

#include "core/ErrorManager.h"
#include "framework/Scheduler.h"

namespace nidora::shell {

void installThreadHooks(framework::Scheduler& scheduler, core::ErrorManager& errors, ThreadDataHooks data)
{
    scheduler.setThreadStartHook([setUp = std::move(data.setUp)](framework::ThreadContext& thread) {
        if (thread.number() != 1 && setUp)
            setUp(thread);
    });
    scheduler.setThreadEndHook(
        [shutDown = std::move(data.shutDown), &errors](framework::ThreadContext& thread) {
            if (shutDown)
                shutDown(thread);
            errors.forgetThread(thread.number());
        });
}

void provideThreadNumbers(core::ErrorManager& errors)
{
    errors.setThreadNumberProvider([] {
        framework::Scheduler* scheduler = framework::Scheduler::instance();
        return scheduler ? scheduler->currentContext().number() : 1;
    });
}

} // namespace nidora::shell
