#include "data/LockPause.h"

#include <thread>

namespace nidora::data {
namespace {

LockPause& currentPause()
{
    static LockPause pause;
    return pause;
}

} // namespace

void setLockPause(LockPause pause)
{
    currentPause() = std::move(pause);
}

bool pauseForLock(std::chrono::milliseconds pause)
{
    if (const LockPause& installed = currentPause())
        return installed(pause);
    std::this_thread::sleep_for(pause);
    return true;
}

} // namespace nidora::data
