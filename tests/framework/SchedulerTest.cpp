#include "ThreadTestSupport.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace nidora::framework::test {
namespace {

using Log = std::vector<std::string>;

TEST_F(ThreadsTest, StartReturnsAtOnceAndTheProcedureRunsFromTheEventLoop)
{
    int ranOn = 0;
    const int number = StartOnNewThread([&] { ranOn = CurrentThreadNumber(); }, 25'000);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(ranOn, 0) << "the procedure ran inside the caller";
    ASSERT_TRUE(runUntilEnded(number));
    EXPECT_EQ(ranOn, 2);
    EXPECT_EQ(CurrentThreadNumber(), 1) << "the main stack is the main thread";
}

// Number 2 goes only to a thread started while no other window thread runs: a number freed
// below a thread still running is not given out again until that one has ended too.
TEST_F(ThreadsTest, ANewThreadIsNumberedAboveEveryRunningOne)
{
    const int first = StartOnNewThread(loopUntilQuit(), 0);
    const int second = StartOnNewThread(loopUntilQuit(), 0);
    const int third = StartOnNewThread(loopUntilQuit(), 0);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 3);
    EXPECT_EQ(third, 4);

    post(second, kQuit);
    ASSERT_TRUE(runUntilEnded(second));
    EXPECT_EQ(StartOnNewThread(loopUntilQuit(), 0), 5) << "3 is free, but 4 still runs";
    post(5, kQuit);
    ASSERT_TRUE(runUntilEnded(5));
    EXPECT_EQ(StartOnNewThread(loopUntilQuit(), 0), 5) << "the highest number is free again";

    post(first, kQuit);
    ASSERT_TRUE(runUntilEnded(first));
    EXPECT_NE(StartOnNewThread(loopUntilQuit(), 0), 2) << "2 is free, but other threads run";

    for (int number : scheduler.threadNumbers())
        if (number != 1)
            post(number, kQuit);
    ASSERT_TRUE(runUntil([&] { return scheduler.threadCount() == 1; }));
    EXPECT_EQ(StartOnNewThread(loopUntilQuit(), 0), 2) << "the first thread started while none runs";
    post(2, kQuit);
    ASSERT_TRUE(runUntilEnded(2));
}

TEST_F(ThreadsTest, AStackBelowTheSmallestGivesTheSmallestAndLargerOnesAreKept)
{
    struct Case {
        std::size_t requested;
        std::size_t atLeast;
    };
    const Case cases[] = { { 0, 20'000 }, { 19'999, 20'000 }, { 25'000, 25'000 }, { 4u << 20, 4u << 20 } };
    for (const Case& c : cases) {
        const int number = StartOnNewThread(loopUntilQuit(), c.requested);
        ASSERT_NE(number, 0);
        EXPECT_GE(scheduler.stackSizeOf(number), c.atLeast) << "asked for " << c.requested;
        post(number, kQuit);
        ASSERT_TRUE(runUntilEnded(number));
    }
}

// The smallest stack a procedure may ask for is far less than Qt needs to show a window on it.
TEST_F(ThreadsTest, AThreadAskingForNoStackCanUseItsStackAndShowWindows)
{
    bool done = false;
    StartOnNewThread(
        [&] {
            char scratch[19'000];
            std::memset(scratch, 1, sizeof scratch);
            QWidget window;
            QPushButton ok(QStringLiteral("OK"), &window);
            window.show();
            QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("Record Update Error"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &window);
            box.show();
            done = scratch[sizeof scratch - 1] == 1;
        },
        0);
    ASSERT_TRUE(runUntil([&] { return scheduler.threadCount() == 1; }));
    EXPECT_TRUE(done);
}

TEST_F(ThreadsTest, RequestResponseAndNavigationStartAtZeroOnEveryThread)
{
    struct Seen {
        int request = -1, response = -1, navigation = -1;
    };
    const auto record = [](Seen& seen) {
        const ThreadContext& self = currentThread();
        seen = { self.CallRequest, self.CallResponse, self.NavigationRequest };
    };
    const auto dirty = [] {
        ThreadContext& self = currentThread();
        self.CallRequest = 4;
        self.CallResponse = 1;
        self.NavigationRequest = 7;
    };
    dirty(); // on the main thread
    Seen started, fromThread, reused;
    StartOnNewThread(
        [&] {
            record(started);
            dirty();
            StartOnNewThread([&] { record(fromThread); }, 0);
        },
        0);
    ASSERT_TRUE(runUntil([&] { return scheduler.threadCount() == 1; }));
    StartOnNewThread([&] { record(reused); }, 0); // number 2 again, after it was dirtied
    ASSERT_TRUE(runUntilEnded(2));

    for (const Seen& seen : { started, fromThread, reused }) {
        EXPECT_EQ(seen.request, 0);
        EXPECT_EQ(seen.response, 0);
        EXPECT_EQ(seen.navigation, 0);
    }
}

TEST_F(ThreadsTest, ALaterThreadCanEndBeforeAnEarlierOne)
{
    const auto showAndWait = [](std::unique_ptr<QWidget>& slot) {
        return [&slot] {
            auto window = std::make_unique<QWidget>();
            window->show();
            slot = std::move(window);
            waitForClose(slot.get());
        };
    };
    std::unique_ptr<QWidget> earlier, later;
    const int first = StartOnNewThread(showAndWait(earlier), 0);
    const int second = StartOnNewThread(showAndWait(later), 0);
    ASSERT_TRUE(runUntil([&] { return earlier && later; }));

    later->close();
    ASSERT_TRUE(runUntilEnded(second));
    EXPECT_NE(scheduler.find(first), nullptr);
    EXPECT_TRUE(earlier->isVisible());

    earlier->close();
    EXPECT_TRUE(runUntilEnded(first));
}

TEST_F(ThreadsTest, AnExceptionEndsOnlyItsOwnThreadAndItsTearDownStillRuns)
{
    scheduler.setThreadEndHook([&](ThreadContext& t) { log.push_back("end " + std::to_string(t.number())); });
    bool windowGone = false;
    const int bystander = StartOnNewThread(loopUntilQuit(), 0);
    const int failing = StartOnNewThread(
        [&] {
            QWidget window;
            QObject::connect(&window, &QObject::destroyed, [&] { windowGone = true; });
            window.show();
            waitFor(std::chrono::milliseconds(0));
            throw std::runtime_error("lost the record buffer");
        },
        0);
    ASSERT_TRUE(runUntilEnded(failing));
    EXPECT_TRUE(windowGone);
    EXPECT_EQ(log, Log { "end 3" });
    EXPECT_NE(scheduler.find(bystander), nullptr);

    std::vector<int> codes;
    const int next = StartOnNewThread(loopUntilQuit(&codes), 0);
    EXPECT_EQ(next, 3);
    post(next, 5);
    post(next, kQuit);
    post(bystander, kQuit);
    ASSERT_TRUE(runUntil([&] { return scheduler.threadCount() == 1; }));
    EXPECT_EQ(codes, std::vector<int> { 5 });
}

TEST_F(ThreadsTest, AFailedSetUpSkipsTheProcedureButNotTheTearDown)
{
    scheduler.setThreadStartHook([](ThreadContext&) { throw std::runtime_error("file not opened"); });
    scheduler.setThreadEndHook([&](ThreadContext&) { log.push_back("end hook"); });
    StartOnNewThread([&] { log.push_back("procedure"); }, 0);
    ASSERT_TRUE(runUntilEnded(2));
    EXPECT_EQ(log, Log { "end hook" });
}

struct Traced {
    Log* log = nullptr;
    ~Traced()
    {
        if (log)
            log->push_back("local " + std::to_string(CurrentThreadNumber()));
    }
};

// Set-up before the procedure, the end hook after it, the thread's data last; the start hook
// leaves the main thread alone, the end hook does not.
TEST(ThreadHooks, RunAroundEveryProcedureInOrder)
{
    Log log;
    const auto hooks = [&](Scheduler& scheduler) {
        scheduler.setThreadStartHook([&](ThreadContext& t) {
            log.push_back(
                "start " + std::to_string(t.number()) + " request " + std::to_string(t.CallRequest));
            t.local<Traced>().log = &log;
        });
        scheduler.setThreadEndHook(
            [&](ThreadContext& t) { log.push_back("end " + std::to_string(t.number())); });
    };
    {
        Scheduler scheduler;
        hooks(scheduler);
        currentThread().local<Traced>().log = &log; // what the program's entry sets up for thread 1
        scheduler.runMainThread([&] {
            log.push_back("main");
            ThreadContext& main = currentThread();
            bool waiting = false;
            StartOnNewThread(
                [&] {
                    log.push_back("procedure 2");
                    waiting = true;
                    wake(main);
                    while (currentThread().events().nextEvent()) { }
                    log.push_back("asked to end 2");
                },
                0);
            awaitUntil([&] { return waiting; });
            log.push_back("main returns");
        });
        log.push_back("main thread ran");
    }
    const Log expected { "main", "start 2 request 0", "procedure 2", "main returns", "asked to end 2",
        "end 2", "local 2", "main thread ran", "end 1", "local 1" };
    EXPECT_EQ(log, expected);
}

TEST_F(ThreadsTest, NoThreadStartsOnceTheProgramIsEnding)
{
    int late = -1;
    scheduler.runMainThread([&] {
        ThreadContext& main = currentThread();
        bool waiting = false;
        StartOnNewThread(
            [&] {
                waiting = true;
                wake(main);
                while (currentThread().events().nextEvent()) { }
                late = StartOnNewThread([] {}, 0);
            },
            0);
        awaitUntil([&] { return waiting; });
    });
    EXPECT_EQ(late, 0);
    EXPECT_EQ(scheduler.threadCount(), 1);
}

} // namespace
} // namespace nidora::framework::test
