#pragma once

#include "framework/Scheduler.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <map>

namespace nidora::shell {

// The window procedures the frame can start, by their names ("BrowsePACIENTES"). A command
// whose procedure is not in the table stays in the menu or toolbar, disabled.
using ProcedureTable = std::map<QString, framework::ThreadProcedure>;

using ThreadStarter = std::function<int(framework::ThreadProcedure, std::size_t stackSize)>;

// Stands in for the login window until there is one: the user is logged in with every right.
void logInWithAllRights();

struct FrameServices {
    ProcedureTable procedures;
    // Runs on the frame's thread while the frame opens and leaves LoggedIn and AccessRights set.
    std::function<void()> login = logInWithAllRights;
    ThreadStarter startThread = framework::StartOnNewThread;
};

} // namespace nidora::shell
