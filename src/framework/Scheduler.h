#pragma once

#include "framework/LogicalThread.h"
#include "framework/ThreadContext.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace nidora::framework {

using ThreadProcedure = std::function<void()>;
using ThreadHook = std::function<void(ThreadContext&)>;

// Runs the program's logical threads as fibers on the GUI thread. The scheduler itself runs on
// the main stack inside the Qt event loop and resumes a woken thread from there (a queued call),
// never from inside a widget's own event handler; a thread runs until it waits again.
//
// One scheduler exists at a time; the program makes it after the QApplication, and every test
// that runs threads makes its own. Thread 1's context exists from construction, so start-up code
// on the main stack already works on the main thread's data.
class Scheduler : public QObject {
    Q_OBJECT
public:
    // A caller may ask for less, but never gets less than this.
    static constexpr std::size_t kSmallestStackSize = 20'000;
    // What every fiber is given at least: Qt showing one plain window on a fiber takes about
    // 84 KB of stack and a message box about 42 KB, so the sizes the procedures ask for (20,000
    // to 50,000 bytes) would overrun their guard page. Untouched pages cost no memory.
    static constexpr std::size_t kFiberStackFloor = 512 * 1024;

    Scheduler();
    // Asks every thread still running to end and runs it to its end (asked to end, a thread no
    // longer waits). Then thread 1's tear-down runs: its end hook, then its local values.
    ~Scheduler() override;

    static Scheduler* instance();

    // Per-thread set-up and tear-down. The start hook runs on every thread but the main one
    // (whose data the program's entry sets up itself) before its procedure; the end hook runs on
    // every thread, the main one included, after its procedure and before its local values go.
    void setThreadStartHook(ThreadHook hook) { startHook_ = std::move(hook); }
    void setThreadEndHook(ThreadHook hook) { endHook_ = std::move(hook); }

    // Makes a thread numbered one above every thread running (2 when no other window thread
    // runs) and returns that number at once;
    // the procedure first runs later, from the event loop. 0 when no thread could be made (no
    // stack, or the program is ending).
    int start(ThreadProcedure procedure, std::size_t stackSize);

    // Runs mainProcedure as thread 1 inside the Qt event loop and returns once it has returned
    // and every other thread has then been ended. Thread 1's tear-down waits for the scheduler's
    // end, as the program still has its own closing steps to run on the main thread's data.
    void runMainThread(ThreadProcedure mainProcedure);

    // Asks every thread but the caller's to end; on a fiber, also waits until they have.
    void endOtherThreads();
    // Asks one thread to end: its waits return false from then on.
    void requestEnd(int number);

    // Marks a thread to run again from the main loop, where it looks again at what it waits for.
    void wake(ThreadContext& thread);

    ThreadContext& currentContext();
    // The logical thread on whose fiber the caller runs, or null on the main stack.
    LogicalThread* running() const { return running_; }
    ThreadContext* find(int number);
    // Threads alive, the main thread included.
    int threadCount() const { return static_cast<int>(threads_.size()); }
    // The numbers of the threads alive, in order.
    std::vector<int> threadNumbers() const;
    std::size_t stackSizeOf(int number) const;

signals:
    // A thread's tear-down has finished and its number is free again.
    void threadEnded(int number);

private:
    friend bool awaitUntil(const std::function<bool()>& ready);

    // From a thread's own fiber: gives the GUI thread back until the thread is woken.
    void suspendCurrent();
    int nextNumber() const;
    void runThread(LogicalThread& thread, const ThreadProcedure& procedure);
    void resumeThread(LogicalThread& thread);
    void postDispatch();
    void dispatch();
    void finishThread(int number);
    void settleRemainingThreads();

    std::map<int, std::unique_ptr<LogicalThread>> threads_;
    ThreadHook startHook_;
    ThreadHook endHook_;
    LogicalThread* running_ = nullptr;
    bool dispatchPosted_ = false;
    bool ending_ = false;
};

// Starts procedure on a new logical thread and returns its number at once (0 on failure). A
// stack size below 20,000 bytes, 0 included, gives 20,000.
int StartOnNewThread(ThreadProcedure procedure, std::size_t stackSize);

} // namespace nidora::framework
