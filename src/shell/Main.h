#pragma once

#include "shell/FrameServices.h"

namespace nidora::shell {

class MainFrame;

// The application frame's procedure. Runs on the main thread: opens the frame, logs the user in,
// reads the current doctor, enables the commands the user may use, starts the splash window,
// then carries out the chosen commands until the frame closes. Closing it closes every other
// window of the program first.
void Main(const FrameServices& services);

// The opening steps, once the frame is shown: the login, a close request when nobody logged in,
// the current doctor and the commands by rights.
void openFrame(MainFrame& frame, const FrameServices& services);

// Carries out one chosen command; must run on the frame's logical thread, as a failure to open
// the help page is shown as a message the thread waits on.
void runFrameCommand(int control, MainFrame& frame, const FrameServices& services);

} // namespace nidora::shell
