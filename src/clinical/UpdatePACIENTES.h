#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace nidora::clinical {

// The windows the patient form calls, all on its own thread. A button or list action whose
// window is not installed is disabled; a name not on file whose lookup is not installed is kept
// as typed.
struct PatientFormLookups {
    // The mothers' and fathers' lookups, called with request 4; each answers 1 with the chosen
    // one in its file's buffer.
    std::function<void()> mothers;
    std::function<void()> fathers;
    // The forms of the patient's consultations, pathologies and vaccinations, called as a
    // list's form: CallRequest set (1 on a row primed with the patient's code, 2, 3), the row
    // in its file's buffer and the patient, as the form holds him, in the PACIENTES buffer;
    // each answers in CallResponse. Whatever they do to the PACIENTES buffer, the patient
    // form has its own values back once they return.
    std::function<void()> consultationForm;
    std::function<void()> pathologyForm;
    std::function<void()> vaccinationForm;
    // The webcam window: true only when it wrote photoBaseName + ".jpg" in the working
    // directory.
    std::function<bool(const QString& photoBaseName)> camera;
    // Draws growth chart 0 to 6 (the buttons "Peso 0-6 años" ... "Perímetro Cefálico" in the
    // order of their controls) of the patient in the PACIENTES buffer, as the form holds him.
    std::function<void(int chart)> growthChart;
    // The prescription of the consultation with this code.
    std::function<void(std::int32_t consultation)> prescription;
};

// Installed once by the program, with the folder's procedures (Procedures.h: BrowseMADRES and
// BrowsePADRES, and the others as they come); tests install their own. Every patient form
// opened later calls these.
void setPatientFormLookups(PatientFormLookups lookups);
const PatientFormLookups& patientFormLookups();

// The patient form: edits the PACIENTES record in this thread's buffer by CallRequest (1 a
// record the list primed, 2 change, 3 delete, 6 view) with the patient's important notes and
// photo, and answers in CallResponse.
void UpdatePACIENTES();

} // namespace nidora::clinical
