#pragma once

#include "data/Catalogue.h"
#include "data/Schema.h"

#include <optional>

// What a new record starts with once its buffer is cleared, and where automatic numbering
// looks for the numbers already given out.
namespace nidora::data {

// Sets the file's initial values in a cleared record (PACIENTES, CONSULTAS and
// PLANVACUNACION have some; the other files none).
void setInitialValues(FileId file, Record& record);

// A key of another file that carries numbers of this file's numbered key. A deleted patient's
// appointments keep his code (their delete rule is none), so the next patient code must also
// be above every AGE:PACIENTE, or a new patient would inherit another child's appointments.
struct NumbersHeldElsewhere {
    FileId file;
    const char* key; // its first component holds the numbers
};
std::optional<NumbersHeldElsewhere> numbersHeldElsewhere(FileId file);

} // namespace nidora::data
