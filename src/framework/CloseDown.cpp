#include "framework/CloseDown.h"

#include "framework/Await.h"
#include "framework/Scheduler.h"
#include "framework/WindowEvent.h"

#include <algorithm>
#include <vector>

namespace nidora::framework {

namespace {

struct CloseDownState {
    ThreadContext* waiter = nullptr;
    bool refused = false;
};

CloseDownState& state()
{
    static CloseDownState current;
    return current;
}

bool showsWindow(Scheduler& scheduler, int number)
{
    ThreadContext* thread = scheduler.find(number);
    return thread && thread->windows().top();
}

} // namespace

bool closeOtherThreadsWindows()
{
    Scheduler* scheduler = Scheduler::instance();
    if (!scheduler)
        return true;
    ThreadContext& self = currentThread();
    std::vector<int> asked;
    for (int number : scheduler->threadNumbers()) {
        if (number != self.number() && showsWindow(*scheduler, number))
            asked.push_back(number);
    }
    CloseDownState& current = state();
    current = CloseDownState { &self, false };
    // Posted with no source, the close-down goes to whichever window of the thread runs its
    // loop: the latest one, as only that one takes input.
    for (int number : asked)
        scheduler->find(number)->events().post(ThreadEvent { event::CloseDown, nullptr, {} });
    const QMetaObject::Connection onEnded
        = QObject::connect(scheduler, &Scheduler::threadEnded, [&self] { wake(self); });
    const bool settled = awaitUntil([&] {
        return current.refused || std::none_of(asked.begin(), asked.end(), [&](int number) {
            return showsWindow(*scheduler, number);
        });
    });
    QObject::disconnect(onEnded);
    const bool closed = settled && !current.refused;
    current = CloseDownState {};
    return closed;
}

void refuseCloseDown()
{
    CloseDownState& current = state();
    if (!current.waiter)
        return;
    current.refused = true;
    wake(*current.waiter);
}

void noteWindowGone()
{
    if (ThreadContext* waiter = state().waiter)
        wake(*waiter);
}

} // namespace nidora::framework
