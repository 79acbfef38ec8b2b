#pragma once

#include "framework/Scheduler.h"
#include "shell/Identificacion.h"
#include "views/ProcedureTable.h"

#include <cstddef>
#include <functional>

namespace nidora::shell {

using ThreadStarter = std::function<int(framework::ThreadProcedure, std::size_t stackSize)>;

struct FrameServices {
    views::ProcedureTable procedures;
    // Runs on the frame's thread while the frame opens and leaves LoggedIn and AccessRights set.
    std::function<void()> login = Identificacion;
    ThreadStarter startThread = framework::StartOnNewThread;
};

} // namespace nidora::shell
