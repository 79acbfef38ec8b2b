#pragma once

#include "views/ProcedureTable.h"

namespace nidora::clinical {

// The frame's procedures this folder provides, by the names its commands start.
views::ProcedureTable procedures();

} // namespace nidora::clinical
