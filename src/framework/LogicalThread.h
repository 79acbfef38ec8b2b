#pragma once

#include "framework/ThreadContext.h"

#include <boost/context/fiber.hpp>

#include <cstddef>
#include <functional>

namespace nidora::framework {

// One logical thread: its context and the fiber its procedure runs on, with a stack of its own
// behind a guard page. Only the Scheduler makes, resumes and ends these.
class LogicalThread {
public:
    explicit LogicalThread(int number);
    LogicalThread(const LogicalThread&) = delete;
    LogicalThread& operator=(const LogicalThread&) = delete;

    ThreadContext& context() { return context_; }

    // Gives the thread a fiber that will run body from its first resume; throws (std::bad_alloc,
    // std::system_error) when no stack can be had. body must not let an exception out.
    void prepare(std::function<void()> body, std::size_t stackSize);
    bool hasFiber() const { return static_cast<bool>(fiber_); }
    std::size_t stackSize() const { return stackSize_; }

    // From the main stack: runs the thread until its body suspends or ends.
    void resume();
    // From the thread's own body: goes back to whoever resumed it.
    void suspend();

    bool woken = false; // set by wake(), cleared when the scheduler resumes the thread

private:
    // The C++ runtime keeps the exceptions being handled per OS thread; every fiber needs its
    // own, or a fiber that waits inside a catch block would have its exception ended by another.
    struct ExceptionState {
        void* caught = nullptr;
        unsigned int uncaught = 0;
    };
    static void swapExceptionState(ExceptionState& other);

    ThreadContext context_;
    std::function<void()> body_;
    std::size_t stackSize_ = 0;
    boost::context::fiber fiber_; // the suspended thread, empty while it runs and once it ended
    boost::context::fiber resumer_; // the main stack, while the thread runs
    ExceptionState exceptions_; // the thread's while it is suspended, the main stack's while it runs
};

} // namespace nidora::framework
