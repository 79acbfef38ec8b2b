#pragma once

#include "framework/Scheduler.h"

#include <QString>

#include <map>

namespace nidora::views {

// The window procedures the frame can start, by their names ("BrowsePACIENTES"). Each folder of
// windows gives its own table; the program's entry merges them for the frame. A command whose
// procedure is not in the table stays in the menu or toolbar, disabled.
using ProcedureTable = std::map<QString, framework::ThreadProcedure>;

} // namespace nidora::views
