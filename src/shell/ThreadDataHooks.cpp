#include "shell/ThreadDataHooks.h"

#include "data/Dictionary.h"
#include "framework/ErrorManager.h"
#include "framework/Scheduler.h"

#include <memory>

namespace nidora::shell {

namespace {

// Held as the thread's local value, so a thread whose shut-down never ran still frees it.
struct ThreadDictionary {
    std::unique_ptr<data::Dictionary> dictionary;
};

} // namespace

ThreadDataHooks dictionaryHooks()
{
    return ThreadDataHooks {
        [](framework::ThreadContext& thread) {
            thread.local<ThreadDictionary>().dictionary = std::make_unique<data::Dictionary>();
        },
        [](framework::ThreadContext& thread) { thread.local<ThreadDictionary>().dictionary.reset(); },
    };
}

data::Dictionary& threadDictionary()
{
    auto& held = framework::currentThread().local<ThreadDictionary>().dictionary;
    if (!held)
        held = std::make_unique<data::Dictionary>();
    return *held;
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
