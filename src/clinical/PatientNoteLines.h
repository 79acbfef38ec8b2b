#pragma once

#include <QString>

namespace nidora::clinical {

// The patient form's two important-note lines (AUXNOTA1, AUXNOTA2) as it last showed them,
// for the forms it calls on its own thread to show beneath their fields. Each logical thread
// has its own pair, so two patient forms open at once never see each other's notes; both
// lines start blank, 30 characters each.
struct PatientNoteLines {
    QString AUXNOTA1;
    QString AUXNOTA2;
};

// The running logical thread's.
PatientNoteLines& patientNoteLines();

} // namespace nidora::clinical
