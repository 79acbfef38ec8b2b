#pragma once

#include "data/PatientRecords.h"

#include <QString>

#include <cstdint>

namespace nidora::data {
class Dictionary;
}

// The rules of the patient form's data page that need no window: the doctor a patient gets,
// what the patient takes over from his mother, the photo's base name, and the patient's
// important notes and photo record, which the form keeps apart from the patient record.
namespace nidora::clinical {

// A patient with no doctor gets the current one; a new patient keeps the doctor priming gave.
void giveCurrentPhysician(data::PACIENTES& patient, std::uint8_t currentPhysician);

// Whether a patient's address, telephone or coverage is to be taken from the mother: it
// compares lower than "0" with spaces padding it, so a blank text qualifies and so does one
// that begins with a character sorting before the digit zero, such as "(011) 4321"; a text
// that begins with a digit or a letter is the patient's own.
bool takesMothersValue(const QString& text);
// Replaces those of the three that qualify by the mother's.
void copyFromMother(data::PACIENTES& patient, const data::MADRES& mother);

// "P" and the patient code in six digits: the file the webcam writes is this and ".jpg".
QString photoBaseName(std::int32_t patientCode);

// The two note lines the form edits and the name of the photo file.
struct PatientExtras {
    QString note1;
    QString note2;
    QString photo;

    bool operator==(const PatientExtras&) const = default;
};

// Read from NOTASIMPO and FOTOS (both open) for the patient; blank where he has no record.
PatientExtras readPatientExtras(data::Dictionary& data, std::int32_t patientCode);
// Writes a notes record (changing the third line never) and a photo record for the patient,
// changing the ones he has or adding them, blank lines and a blank name included. A failed
// write has shown its message and the other is still written. Nothing for a code of 0.
void writePatientExtras(data::Dictionary& data, std::int32_t patientCode, const PatientExtras& extras);

} // namespace nidora::clinical
