#include "views/LockWaits.h"

#include "data/LockPause.h"
#include "framework/Await.h"
#include "framework/Scheduler.h"

#include <thread>

namespace nidora::views {

YieldingLockWaits::YieldingLockWaits()
{
    data::setLockPause([](std::chrono::milliseconds pause) {
        const framework::Scheduler* scheduler = framework::Scheduler::instance();
        if (!scheduler || !scheduler->running()) {
            std::this_thread::sleep_for(pause);
            return true;
        }
        // A thread asked to end stops waiting: its operation fails as a lock that was not
        // let go in time, and the thread unwinds.
        return framework::waitFor(pause);
    });
}

YieldingLockWaits::~YieldingLockWaits()
{
    data::setLockPause({});
}

} // namespace nidora::views
