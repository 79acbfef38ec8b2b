#pragma once

#include "views/ProcedureTable.h"

namespace nidora::reports {

// The report prompts the report launcher starts, by their procedure names ("Pantalla1").
views::ProcedureTable procedures();

} // namespace nidora::reports
