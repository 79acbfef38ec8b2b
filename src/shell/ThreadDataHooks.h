#pragma once

#include "views/DictionarySetup.h"

#include <functional>

namespace nidora::core {
class ErrorManager;
}
namespace nidora::framework {
class Scheduler;
class ThreadContext;
} // namespace nidora::framework

namespace nidora::shell {

// What a thread does with its own data files, access and relation objects: makes them when it
// starts and disposes of them, closing what it left open, when it ends. A test may put its own
// in their place to watch when they run.
struct ThreadDataHooks {
    std::function<void(framework::ThreadContext&)> setUp
        = [](framework::ThreadContext& thread) { views::DictionarySetup(thread); };
    std::function<void(framework::ThreadContext&)> shutDown = views::DictionaryShutdown;
};

// Makes the scheduler run every thread's set-up and tear-down. A new thread sets its data up
// before its procedure; the main thread does not, as the program's entry sets the main thread's
// data up itself. Every thread, the main one included, shuts its data down after its procedure,
// and the error manager then forgets it (its last error, any procedure left listed), since its
// number is given to the next thread.
void installThreadHooks(framework::Scheduler& scheduler, core::ErrorManager& errors, ThreadDataHooks data);

// Has the error manager ask the scheduler for the calling thread's number: 1 outside every
// logical thread, and whenever no scheduler runs.
void provideThreadNumbers(core::ErrorManager& errors);

} // namespace nidora::shell
