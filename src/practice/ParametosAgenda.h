#pragma once

namespace nidora::practice {

// The working-hours window "Parámetros Agenda": the four times of each weekday and the step
// between slots, read from the settings file when it opens and written there by its OK. Its
// controls change the program-wide working hours as soon as each is accepted. Run modal on the
// caller's thread.
void ParametosAgenda();

} // namespace nidora::practice
