#pragma once

#include "views/ProcedureTable.h"

namespace nidora::reports {

// The procedures this folder provides, by the names the frame and the launchers start them by:
// the two launchers and the statistics windows.
views::ProcedureTable procedures();

} // namespace nidora::reports
