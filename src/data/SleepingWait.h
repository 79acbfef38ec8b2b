#pragma once

#include <atomic>
#include <chrono>

struct sqlite3;

// How the connections of a backup or restore wait for a lock another station holds: they run on
// a thread of the copy's own, so they sleep between looks (never the GUI thread's pause), and
// stop waiting at once when the copy is cancelled.
namespace nidora::data {

struct SleepingWait {
    std::chrono::milliseconds wait { 2000 };
    const std::atomic<bool>* cancelled = nullptr;
};

// The wait must outlive the connection's use of it.
void installSleepingWait(sqlite3* connection, const SleepingWait& wait);

} // namespace nidora::data
