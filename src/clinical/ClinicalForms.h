#pragma once

// The forms of a patient's clinical history, each called on its caller's thread: each edits the
// record in the thread's buffer of its file by CallRequest (1 a record the caller primed, 2
// change, 3 delete, 6 view) and answers in CallResponse. Each takes its patient from the
// thread's PACIENTES buffer as the caller holds him, unsaved edits included, and computes ages
// from that birth date; it reads the patient from the file only when the buffer holds another,
// so it never overwrites what the caller typed.
namespace nidora::clinical {

// One consultation (CONSULTAS), with the age at its date, its studies and its diagnosis,
// which OK also records as a pathology of the patient when it names one of the table. Calls
// the reference tables through consultationLookups() (ConsultationLookups.h).
void UpdateCONSULTAS();

// One pathology found in the patient (ENFERMEDADES), with the age at its date.
void UpdateENFERMEDADES();

// One vaccination of the patient (VACUNACION).
void UpdateVACUNAS();

// One study ordered at the consultation in the thread's CONSULTAS buffer (ANALISIS), with its
// results and an attached file, which OK copies into the working directory.
void UpdateANALISIS();

} // namespace nidora::clinical
