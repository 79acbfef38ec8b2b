#pragma once

#include "shell/FrameServices.h"

namespace nidora::practice {

// The windows of the practice tools the frame starts, by their procedure names.
shell::ProcedureTable procedures();

} // namespace nidora::practice
