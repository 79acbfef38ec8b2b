#pragma once

#include "data/Dictionary.h"

#include <functional>

// The rows five report prompts compute into the scratch file OUTPUT for reports that no key of
// the data files can give: one pass each over the files the prompt has open, through the
// thread's buffers, one OUTPUT row per insert. Each reads the prompt values as they stand.
namespace nidora::reports {

// Empties the thread's own copy of OUTPUT and writes the rows `fill` inserts in one buffered pass
// (refillScratch), so two prompts filling at once never mix their rows. False when the file
// could not be emptied, opened or written; the error manager has then said why.
bool refillOutput(data::Dictionary& data, const std::function<bool(data::AccessObject& output)>& fill);

// Closes the thread's copy of OUTPUT, removes it from the disk and goes back to the shared file.
void dropOwnOutput(data::Dictionary& data);

// Pantalla3: the patient SELECTPACIENTE at birth, then each consultation that measured him
// (weight, height or head circumference), in date order. The patient stays in the buffer.
bool writeGrowthRows(data::Dictionary& data, data::AccessObject& output);
// Pantalla23: the names of the patients, mothers and fathers (as ticked, in that order) whose
// blood group is SELECTGRUPO.
struct PeopleTicked {
    bool patients = false;
    bool mothers = false;
    bool fathers = false;
};
bool writeBloodGroupRows(data::Dictionary& data, data::AccessObject& output, PeopleTicked ticked);
// Pantalla21: every appointment slot dated DF to HF, free ones and every doctor's included; the
// slot's doctor travels in OUT:LONG3 so that the report reads that very slot again.
bool writeAppointmentRows(data::Dictionary& data, data::AccessObject& output);
// Pantalla24: each patient born in month MES with the age he reaches this year.
bool writeBirthdayRows(data::Dictionary& data, data::AccessObject& output);
// Pantalla33: every consultation of every patient whose coverage is SELECTOBRAS.
bool writeCoverageRows(data::Dictionary& data, data::AccessObject& output);

} // namespace nidora::reports
