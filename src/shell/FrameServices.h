#pragma once

#include "framework/Scheduler.h"
#include "shell/Identificacion.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <map>

namespace nidora::shell {

// The window procedures the frame can start, by their names ("BrowsePACIENTES"). A command
// whose procedure is not in the table stays in the menu or toolbar, disabled.
using ProcedureTable = std::map<QString, framework::ThreadProcedure>;

using ThreadStarter = std::function<int(framework::ThreadProcedure, std::size_t stackSize)>;

struct FrameServices {
    ProcedureTable procedures;
    // Runs on the frame's thread while the frame opens and leaves LoggedIn and AccessRights set.
    std::function<void()> login = Identificacion;
    ThreadStarter startThread = framework::StartOnNewThread;
};

} // namespace nidora::shell
