#pragma once

#include <chrono>
#include <functional>

// How a connection passes the time while another connection or station holds a lock it
// needs. SQLite asks again and again until the connection's lock wait has run out; between
// the asks the pause below runs. Left alone it sleeps the calling thread, which on the GUI
// thread would freeze every window: the program puts in a pause that gives the GUI thread
// back to its other logical threads instead.
namespace nidora::data {

// Returns false to stop waiting at once (the thread that waits has been asked to end).
using LockPause = std::function<bool(std::chrono::milliseconds pause)>;

// Replaces the pause for every connection; an empty one puts the sleep back.
void setLockPause(LockPause pause);
// Runs the pause in force.
bool pauseForLock(std::chrono::milliseconds pause);

} // namespace nidora::data
