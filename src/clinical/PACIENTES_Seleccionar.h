#pragma once

namespace nidora::clinical {

// The patient lookup "PACIENTES:Seleccionar": other windows call it on their own thread with
// request 4 to let the user pick a patient by name. It answers 1 with the chosen patient in the
// thread's PACIENTES buffer, or 2 when it is closed without a choice.
void PACIENTES_Seleccionar();

} // namespace nidora::clinical
