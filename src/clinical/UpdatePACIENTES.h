#pragma once

#include <functional>

namespace nidora::clinical {

// The mothers' and fathers' lookups the patient form calls with request 4; each answers 1 with
// the chosen one in its file's buffer. Until one is installed, a name not on file is kept as
// typed and its lookup button stays disabled.
struct PatientFormLookups {
    std::function<void()> mothers;
    std::function<void()> fathers;
};

// Installed once by the program, with the folder's procedures (Procedures.h: BrowseMADRES and
// BrowsePADRES); tests install their own. Every patient form opened later calls these.
void setPatientFormLookups(PatientFormLookups lookups);
const PatientFormLookups& patientFormLookups();

// The patient form: edits the PACIENTES record in this thread's buffer by CallRequest (1 a
// record the list primed, 2 change, 3 delete, 6 view) with the patient's important notes and
// photo, and answers in CallResponse.
void UpdatePACIENTES();

} // namespace nidora::clinical
