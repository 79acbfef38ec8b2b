#pragma once

// The report prompts the report launcher starts, each on a thread of its own: each asks what
// to print, keeps the choice in the program's prompt values, computes the report's rows into
// OUTPUT where no key gives them, calls its report on its own thread and closes when the report
// returns.
namespace nidora::reports {

// About one patient (PatientPrompts.cpp).
void Pantalla1(); // the patient card
void Pantalla2(); // prenatal information
void Pantalla3(); // growth development
void Pantalla4(); // consultation history
void Pantalla5(); // pathology history

// About the practice (PracticePrompts.cpp).
void Pantalla21(); // appointments of a date range
void Pantalla22(); // the patients by name, between two initials
void Pantalla23(); // the people of a blood group
void Pantalla24(); // birthdays of a month
void Pantalla31(); // consultations of a reason
void Pantalla32(); // cases of a pathology
void Pantalla33(); // consultations of a coverage

} // namespace nidora::reports
