#pragma once

#include "views/ProcedureTable.h"

namespace nidora::practice {

// The windows of the practice tools the frame starts, by their procedure names.
views::ProcedureTable procedures();

} // namespace nidora::practice
