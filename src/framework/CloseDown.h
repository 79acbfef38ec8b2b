#pragma once

// The program's close-down: before the application frame closes, every window of every other
// logical thread is closed the way its own close box closes it, so that a form cancels (and
// undoes a primed insert), a form that asks before losing changes asks, and a window whose
// user answers Cancel keeps the program open.
namespace nidora::framework {

// Asks the latest window of every other thread that shows one to close, and waits until no
// other thread shows a window: true then; false as soon as a window stays open (its user kept
// it), which is brought forward. A thread whose window closes hands the close-down on to the
// window below it. Only on a logical thread's fiber.
bool closeOtherThreadsWindows();

// For a window's loop: it took the close-down and stays open.
void refuseCloseDown();
// For the thread's window list: one of its windows went, so a close-down looks again.
void noteWindowGone();

} // namespace nidora::framework
