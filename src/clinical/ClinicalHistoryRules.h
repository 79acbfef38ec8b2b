#pragma once

#include "core/AgeAtDate.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"

#include <cstdint>

namespace nidora::data {
class Dictionary;
}

// What the clinical-history forms do with their records that needs no window: reading the
// patient and consultation a form shows, the age a record stores, and the pathology a
// consultation's confirmed diagnosis names.
namespace nidora::clinical {

// Reads the patient, or the consultation, with that code into the thread's buffer (its file
// open); a code that names none leaves the buffer cleared. True when found.
bool readPatient(data::Dictionary& data, std::int32_t code);
bool readConsultation(data::Dictionary& data, std::int32_t code);

// The patient, or the consultation, with that code in the thread's buffer: when the buffer
// holds that code already it is left as it is, since the calling form put it there as it
// holds it, with what was typed and not yet saved (a new patient's birth date); otherwise it
// is read from the file, as readPatient and readConsultation do.
void holdPatient(data::Dictionary& data, std::int32_t code);
void holdConsultation(data::Dictionary& data, std::int32_t code);

// The age of the patient in the buffer at a date.
Age patientAgeAt(const data::PACIENTES& patient, Date date);
template <class R> void storeAge(R& record, const Age& age)
{
    record.ANIOS = age.years;
    record.MESES = age.months;
    record.DIAS = age.days;
}

// When the first 20 characters of the consultation's confirmed diagnosis name a row of the
// pathology table (regardless of case) and the patient has no pathology of that name on the
// consultation's date, adds one, as typed in the consultation, with the consultation's age
// (ENFERMEDADES and TABENFERMED open). A failed add has shown its message. True when a row
// was added.
bool recordConfirmedDiagnosis(data::Dictionary& data, const data::CONSULTAS& consultation);

} // namespace nidora::clinical
