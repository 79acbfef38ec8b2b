#include "data/SleepingWait.h"

#include <sqlite3.h>

#include <thread>

namespace nidora::data {
namespace {

constexpr int kPauseMs = 2;

int onBusy(void* context, int attempts)
{
    const auto& wait = *static_cast<const SleepingWait*>(context);
    if ((wait.cancelled && *wait.cancelled) || std::int64_t(attempts) * kPauseMs >= wait.wait.count())
        return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs));
    return 1;
}

} // namespace

void installSleepingWait(sqlite3* connection, const SleepingWait& wait)
{
    sqlite3_busy_handler(connection, &onBusy, const_cast<SleepingWait*>(&wait));
}

} // namespace nidora::data
