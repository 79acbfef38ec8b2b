#pragma once

#include "support/RunUntil.h"

#include "framework/Await.h"
#include "framework/Scheduler.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace nidora::framework::test {

// The event code that ends the loop of loopUntilQuit.
inline constexpr int kQuit = 999;

// A fresh scheduler per test, so thread numbers and hooks start over.
class ThreadsTest : public ::testing::Test {
protected:
    // What hooks and procedures note down; made before the scheduler, as the main thread's end
    // hook still runs when the scheduler goes.
    std::vector<std::string> log;
    Scheduler scheduler;

    static bool runUntil(const std::function<bool()>& done) { return nidora::test::runUntil(done); }

    bool runUntilEnded(int number)
    {
        return runUntil([this, number] { return scheduler.find(number) == nullptr; });
    }

    void post(int thread, int code, QObject* source = nullptr)
    {
        ThreadContext* context = scheduler.find(thread);
        ASSERT_NE(context, nullptr) << "thread " << thread << " is not running";
        context->events().post(ThreadEvent { code, source, {} });
    }
};

// A procedure that takes its thread's events until it is told to quit, recording their codes.
inline ThreadProcedure loopUntilQuit(std::vector<int>* codes = nullptr)
{
    return [codes] {
        while (auto event = currentThread().events().nextEvent()) {
            if (event->code == kQuit)
                return;
            if (codes)
                codes->push_back(event->code);
        }
    };
}

} // namespace nidora::framework::test
