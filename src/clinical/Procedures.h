#pragma once

#include "views/ProcedureTable.h"

namespace nidora::clinical {

// The frame's procedures this folder provides, by the names its commands start. Also installs
// the mothers' and fathers' lists as the patient form's lookups (setPatientFormLookups), as the
// program's start-up asks for this table once before any window opens.
views::ProcedureTable procedures();

} // namespace nidora::clinical
