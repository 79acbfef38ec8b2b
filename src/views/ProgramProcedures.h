#pragma once

#include "views/ProcedureTable.h"

#include <QString>

// The program's whole procedure table, for windows that start other windows by name (the report
// and chart launchers) without depending on the folders that provide them. The program's entry
// installs the table it merged from every folder; tests install a table of their own.
namespace nidora::views {

void setProgramProcedures(ProcedureTable procedures);

// The procedure of that name, or null when the program has none (its button stays disabled).
const framework::ThreadProcedure* findProcedure(const QString& name);

} // namespace nidora::views
