#pragma once

// The eight statistics windows, each the only window of its thread: it asks for its selection,
// counts the matching diagnoses or consultations with its progress shown, fills GRAFICO, sets
// the chart texts, shows the bar or pie chart on its own thread and closes when the chart does.
namespace nidora::reports {

void PantallaG1(); // diagnoses of a pathology per month of a year
void PantallaG2(); // diagnoses of a pathology per year
void PantallaG3(); // diagnoses of a pathology by sex in a date range
void PantallaG4(); // diagnoses of a pathology by age group in a date range
void PantallaG21(); // consultations for a reason per month of a year
void PantallaG22(); // consultations for a reason per year
void PantallaG23(); // consultations for a reason by sex in a date range
void PantallaG24(); // consultations for a reason by age group in a date range

} // namespace nidora::reports
