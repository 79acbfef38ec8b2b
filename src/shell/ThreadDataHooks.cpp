#include "shell/ThreadDataHooks.h"

#include "data/ThreadDictionary.h"
#include "framework/ErrorManager.h"
#include "framework/Scheduler.h"

namespace nidora::shell {

ThreadDataHooks dictionaryHooks()
{
    return ThreadDataHooks {
        [](framework::ThreadContext& thread) { data::threadDictionary(thread); },
        [](framework::ThreadContext& thread) { data::releaseThreadDictionary(thread); },
    };
}

void installThreadHooks(
    framework::Scheduler& scheduler, framework::ErrorManager& errors, ThreadDataHooks data)
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

void provideThreadNumbers(framework::ErrorManager& errors)
{
    errors.setThreadNumberProvider([] {
        framework::Scheduler* scheduler = framework::Scheduler::instance();
        return scheduler ? scheduler->currentContext().number() : 1;
    });
}

} // namespace nidora::shell
