#pragma once

// While it lives, a logical thread that waits for a lock another station holds on a data file
// gives the GUI thread back between its asks, so the windows of the other threads stay usable
// and their timers keep running; the messages that follow a wait that runs out come as before.
// Outside every logical thread (a test without a scheduler, the main stack) the wait sleeps.
//
//   YieldingLockWaits yielding;     // the program holds one for its whole life
namespace nidora::views {

class YieldingLockWaits {
public:
    YieldingLockWaits();
    // Puts the sleeping wait back.
    ~YieldingLockWaits();
    YieldingLockWaits(const YieldingLockWaits&) = delete;
    YieldingLockWaits& operator=(const YieldingLockWaits&) = delete;
};

} // namespace nidora::views
