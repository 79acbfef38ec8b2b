#pragma once

#include <functional>

namespace nidora::data {
class Dictionary;
}

namespace nidora::framework {
class ErrorManager;
class Scheduler;
class ThreadContext;
} // namespace nidora::framework

namespace nidora::shell {

// What a thread does with its own data files, access and relation objects: makes them when it
// starts and disposes of them when it ends.
struct ThreadDataHooks {
    std::function<void(framework::ThreadContext&)> setUp;
    std::function<void(framework::ThreadContext&)> shutDown;
};

// The thread's Dictionary, made at set-up and disposed (its files closed) at shut-down.
ThreadDataHooks dictionaryHooks();

// The calling logical thread's Dictionary; made on first use when no set-up made it.
data::Dictionary& threadDictionary();

// Makes the scheduler run every thread's set-up and tear-down. A new thread sets its data up
// before its procedure; the main thread does not, as the program's entry sets the main thread's
// data up itself. Every thread, the main one included, shuts its data down after its procedure,
// and the error manager then forgets it (its last error, any procedure left listed), since its
// number is given to the next thread.
void installThreadHooks(
    framework::Scheduler& scheduler, framework::ErrorManager& errors, ThreadDataHooks data);

// Has the error manager ask the scheduler for the calling thread's number: 1 outside every
// logical thread, and whenever no scheduler runs.
void provideThreadNumbers(framework::ErrorManager& errors);

} // namespace nidora::shell
