#pragma once

// The report and chart launchers, each on a thread of its own: a side task panel whose tasks
// show pages of buttons, each button starting its report prompt or statistics window by name on
// a new thread (views::findProcedure), so that several can be prepared at once while the
// launcher stays open. A button whose window the program does not have is disabled.
namespace nidora::reports {

// "Informes": the twelve report prompts; the buttons of the patients' reports, of the
// clinical-history reports and of the daily agenda need rights 1, 2 and 4.
void Informes();
// "Gráficas": the eight statistics windows, for every user who reaches it.
void Graficos();

} // namespace nidora::reports
