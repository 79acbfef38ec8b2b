#pragma once

#include "framework/ThreadEventQueue.h"
#include "framework/ThreadWindows.h"

#include <cstdint>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace nidora::framework {

// Everything one logical thread owns: its number, the request and response values a caller and
// a called window exchange on it, its windows and events, and the per-thread data of other
// libraries. Code reaches it through currentThread(), never through thread_local: every logical
// thread shares the one GUI thread underneath.
class ThreadContext {
public:
    explicit ThreadContext(int number);
    ~ThreadContext();
    ThreadContext(const ThreadContext&) = delete;
    ThreadContext& operator=(const ThreadContext&) = delete;

    int number() const { return number_; }

    // Set by a caller just before it calls a form or lookup on this thread, read and cleared by
    // the called window; all three start at 0 on every thread.
    std::uint8_t CallRequest = 0;
    std::uint8_t CallResponse = 0;
    std::int32_t NavigationRequest = 0;

    // True once the program has asked this thread to end: its waits return false from then on,
    // so its event loops and the procedures around them unwind by plain returns.
    bool endRequested() const { return endRequested_; }

    ThreadEventQueue& events() { return events_; }
    ThreadWindows& windows() { return windows_; }

    // This thread's own T, default-constructed on first use and destroyed when the thread ends,
    // the latest made first (so a value made from another inside its constructor outlives it).
    template <class T> T& local();

    // Destroys the local values, latest first. Run by the thread's tear-down after its end hook.
    void releaseLocals();

private:
    friend class Scheduler;

    struct LocalSlot {
        virtual ~LocalSlot() = default;
    };
    template <class T> struct LocalValue final : LocalSlot {
        T value {};
    };
    struct LocalEntry {
        std::type_index type;
        std::unique_ptr<LocalSlot> slot;
        void* value;
    };

    void* findLocal(std::type_index type) const;

    int number_;
    bool endRequested_ = false;
    ThreadEventQueue events_;
    ThreadWindows windows_;
    std::vector<LocalEntry> locals_; // in creation order
};

template <class T> T& ThreadContext::local()
{
    if (void* found = findLocal(typeid(T)))
        return *static_cast<T*>(found);
    // Built before it is recorded: T's constructor may itself ask for other locals, which then
    // come earlier in the list and are destroyed after T.
    auto slot = std::make_unique<LocalValue<T>>();
    T& value = slot->value;
    locals_.push_back(LocalEntry { typeid(T), std::move(slot), &value });
    return value;
}

// The context of the logical thread now running; on the main stack (outside every fiber, as in
// start-up, shut-down and Qt's own event handlers) that is thread 1's. Needs a Scheduler.
ThreadContext& currentThread();

// The running logical thread's number: 1 for the main thread, 2 or more for the others.
int CurrentThreadNumber();

} // namespace nidora::framework
