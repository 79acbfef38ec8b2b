#pragma once

#include <functional>

namespace nidora::clinical {

// What the consultation form calls in the reference tables, which it cannot reach itself:
// - reasonForm: the reasons' form, called with request 1 on the MOTIVOS buffer holding a reason
//   typed into the form that is not on file; it answers 1 once it has added it. Until it is
//   installed, such a reason is kept as typed and stored with the consultation as it stands.
// - pathologies: the pathology lookup, called with request 4 on the TABENFERMED buffer placed
//   at the diagnosis typed; it answers 1 with the chosen pathology in that buffer. Until it is
//   installed, the confirmed diagnosis keeps what is typed and its lookup button is disabled.
struct ConsultationLookups {
    std::function<void()> reasonForm;
    std::function<void()> pathologies;
};

// Installed once by the program with the reference tables' procedures; tests install their
// own. Every consultation form opened later calls these.
void setConsultationLookups(ConsultationLookups lookups);
const ConsultationLookups& consultationLookups();

} // namespace nidora::clinical
