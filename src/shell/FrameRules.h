#pragma once

#include "shell/FrameCommands.h"
#include "shell/FrameServices.h"
#include "views/ProgramGlobals.h"

#include <QString>

#include <cstdint>

namespace nidora::shell {

class MainFrame;

// The current doctor from the settings text (views/ProgramGlobals.h).
using views::physicianFromSetting;

// A command that starts a window is available when the window exists and the user holds the
// right it needs; the frame's own actions always are.
bool commandAvailable(const FrameCommand& command, const views::ProgramGlobals& globals,
    const views::ProcedureTable& procedures);

// Enables and disables every command of the frame by that rule.
void applyRights(
    MainFrame& frame, const views::ProgramGlobals& globals, const views::ProcedureTable& procedures);

} // namespace nidora::shell
