#pragma once

#include "shell/FrameServices.h"

namespace nidora::clinical {

// The frame's procedures this folder provides, by the names its commands start.
shell::ProcedureTable procedures();

} // namespace nidora::clinical
