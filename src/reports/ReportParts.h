#pragma once

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "reports/ReportLayout.h"

#include <initializer_list>

// Pieces several layouts print alike: labelled values on a line, the selection lines of the
// page headers, the studies of a consultation, and the bands of one consultation and of one
// pathology case.
namespace nidora::reports {

// A label and the value printed after it.
struct Labelled {
    QString label;
    QString value;
};

// The width of one character of Courier New at a size, for laying fields out in columns.
double columnWidth(int points);

// Labelled values on one line from x, each pair a column apart from the one before it; labels
// bold, values regular, at the size given. Answers the line's height.
double labelledLine(
    BandPainter& band, double x, double y, std::initializer_list<Labelled> items, int points = 8);

// The page header's selection lines ("Paciente:", "Fechas:" and the like): 8 point bold labels.
double selectionLine(BandPainter& band, double y, std::initializer_list<Labelled> items);
// "Paciente:" with the patient's code and name.
Labelled patientLabel(const data::PACIENTES& patient);
// "Fechas:" with DF and HF.
Labelled datesLabel();

// Each study of the consultation, its name, " - " and its results, one a line, cut to limit
// characters in all.
QString studiesOf(std::int32_t consultation, int limit);

// A consultation's six lines under the rule that opens its band, after a line naming its
// patient when one is given.
Band consultationBand(
    const data::CONSULTAS& consultation, const QString& studies, const data::PACIENTES* patient);
// A pathology case: date, age and pathology, then its notes, after a line naming its patient
// when one is given.
Band pathologyBand(const data::ENFERMEDADES& pathology, const data::PACIENTES* patient);

} // namespace nidora::reports
