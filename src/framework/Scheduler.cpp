#include "framework/Scheduler.h"

#include "framework/Await.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace nidora::framework {

namespace {

Scheduler* theScheduler = nullptr;

// Runs one step of a thread's life, reporting instead of letting an exception reach the fiber's
// edge; false when it failed. The unwinding of a fiber destroyed while it waits passes through.
template <class Step> bool guarded(int number, const char* what, Step&& step)
{
    try {
        step();
        return true;
    } catch (const boost::context::detail::forced_unwind&) {
        throw;
    } catch (const std::exception& e) {
        qCritical("Thread %d: %s ended by an exception: %s", number, what, e.what());
    } catch (...) {
        qCritical("Thread %d: %s ended by an exception", number, what);
    }
    return false;
}

} // namespace

Scheduler::Scheduler()
{
    if (theScheduler)
        throw std::logic_error("only one scheduler runs at a time");
    threads_.emplace(1, std::make_unique<LogicalThread>(1));
    theScheduler = this;
}

Scheduler::~Scheduler()
{
    ending_ = true;
    settleRemainingThreads();
    ThreadContext& main = threads_.at(1)->context();
    guarded(1, "end hook", [&] {
        if (endHook_)
            endHook_(main);
    });
    main.releaseLocals();
    theScheduler = nullptr;
}

Scheduler* Scheduler::instance()
{
    return theScheduler;
}

// One above every thread still running, so that number 2 means "started while no other window
// thread ran": a lower number freed by a window that closed first is not handed out beside a
// later one still open. Once every window thread has ended the numbers start again at 2.
int Scheduler::nextNumber() const
{
    return std::max(2, threads_.rbegin()->first + 1);
}

int Scheduler::start(ThreadProcedure procedure, std::size_t stackSize)
{
    if (ending_ || !procedure)
        return 0;
    const int number = nextNumber();
    auto thread = std::make_unique<LogicalThread>(number);
    LogicalThread& made = *thread;
    try {
        made.prepare([this, &made, body = std::move(procedure)] { runThread(made, body); },
            std::max({ stackSize, kSmallestStackSize, kFiberStackFloor }));
    } catch (const std::exception& e) {
        qWarning("No thread could be made: %s", e.what());
        return 0;
    }
    threads_.emplace(number, std::move(thread));
    wake(made.context());
    return number;
}

void Scheduler::runThread(LogicalThread& thread, const ThreadProcedure& procedure)
{
    ThreadContext& context = thread.context();
    const int number = context.number();
    const bool setUp = guarded(number, "start hook", [&] {
        if (startHook_)
            startHook_(context);
    });
    if (setUp && !context.endRequested())
        guarded(number, "procedure", procedure);
    guarded(number, "end hook", [&] {
        if (endHook_)
            endHook_(context);
    });
    guarded(number, "release of its data", [&] { context.releaseLocals(); });
}

void Scheduler::runMainThread(ThreadProcedure mainProcedure)
{
    LogicalThread& main = *threads_.at(1);
    if (main.hasFiber())
        throw std::logic_error("the main thread runs only once");
    main.prepare(
        [this, body = std::move(mainProcedure)] {
            guarded(1, "main procedure", body);
            ending_ = true;
            endOtherThreads();
        },
        kFiberStackFloor);
    wake(main.context());
    QCoreApplication::exec();
}

void Scheduler::requestEnd(int number)
{
    if (ThreadContext* context = find(number)) {
        context->endRequested_ = true;
        wake(*context);
    }
}

void Scheduler::endOtherThreads()
{
    const int self = currentContext().number();
    std::vector<int> others;
    for (const auto& [number, thread] : threads_) {
        if (number != self && (number != 1 || thread->hasFiber()))
            others.push_back(number);
    }
    for (int number : others)
        requestEnd(number);
    if (!running_)
        return;
    const auto othersEnded = [&] {
        return std::none_of(
            others.begin(), others.end(), [&](int number) { return threads_.count(number) > 0; });
    };
    while (!othersEnded() && waitForSignal(this, &Scheduler::threadEnded)) { }
}

void Scheduler::wake(ThreadContext& thread)
{
    const auto it = threads_.find(thread.number());
    if (it == threads_.end() || &it->second->context() != &thread)
        return;
    it->second->woken = true;
    postDispatch();
}

void Scheduler::suspendCurrent()
{
    if (!running_)
        throw std::logic_error("only a logical thread's own fiber can wait");
    running_->suspend();
}

ThreadContext& Scheduler::currentContext()
{
    return running_ ? running_->context() : threads_.at(1)->context();
}

ThreadContext* Scheduler::find(int number)
{
    const auto it = threads_.find(number);
    return it == threads_.end() ? nullptr : &it->second->context();
}

std::vector<int> Scheduler::threadNumbers() const
{
    std::vector<int> numbers;
    for (const auto& [number, thread] : threads_)
        numbers.push_back(number);
    return numbers;
}

std::size_t Scheduler::stackSizeOf(int number) const
{
    const auto it = threads_.find(number);
    return it == threads_.end() ? 0 : it->second->stackSize();
}

void Scheduler::postDispatch()
{
    if (dispatchPosted_)
        return;
    dispatchPosted_ = true;
    QMetaObject::invokeMethod(this, &Scheduler::dispatch, Qt::QueuedConnection);
}

void Scheduler::dispatch()
{
    dispatchPosted_ = false;
    // A fiber that ran the event loop itself would land here; threads only ever run one at a time,
    // each from the main stack.
    if (running_) {
        postDispatch();
        return;
    }
    // Threads woken meanwhile wait for the next round, so windows' own events keep flowing.
    std::vector<int> woken;
    for (const auto& [number, thread] : threads_) {
        if (thread->woken && thread->hasFiber())
            woken.push_back(number);
    }
    for (int number : woken) {
        const auto it = threads_.find(number);
        if (it != threads_.end())
            resumeThread(*it->second);
    }
}

void Scheduler::resumeThread(LogicalThread& thread)
{
    thread.woken = false;
    running_ = &thread;
    thread.resume();
    running_ = nullptr;
    if (!thread.hasFiber())
        finishThread(thread.context().number());
}

void Scheduler::finishThread(int number)
{
    if (number == 1) {
        // The main thread keeps its context for the program's closing steps.
        QCoreApplication::exit(0);
        return;
    }
    threads_.erase(number);
    emit threadEnded(number);
}

void Scheduler::settleRemainingThreads()
{
    // Asked to end, a thread no longer waits, so one resume runs it to its end.
    for (const auto& [number, thread] : threads_) {
        if (thread->hasFiber()) {
            thread->context().endRequested_ = true;
            running_ = thread.get();
            thread->resume();
            running_ = nullptr;
        }
    }
    for (auto it = threads_.begin(); it != threads_.end();)
        it = it->first == 1 ? std::next(it) : threads_.erase(it);
}

int StartOnNewThread(ThreadProcedure procedure, std::size_t stackSize)
{
    Scheduler* scheduler = Scheduler::instance();
    return scheduler ? scheduler->start(std::move(procedure), stackSize) : 0;
}

ThreadContext& currentThread()
{
    Scheduler* scheduler = Scheduler::instance();
    if (!scheduler)
        throw std::logic_error("logical threads need a scheduler");
    return scheduler->currentContext();
}

int CurrentThreadNumber()
{
    return currentThread().number();
}

} // namespace nidora::framework
