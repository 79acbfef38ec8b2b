#pragma once

#include "shell/FrameServices.h"

namespace nidora::shell {

// The process's main procedure: makes the application, runs the program with the frame starting
// the given windows' procedures, and returns the exit code once the frame has closed.
int ProgramEntry(int argc, char** argv, views::ProcedureTable procedures = {});

} // namespace nidora::shell
