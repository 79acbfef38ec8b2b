#pragma once

namespace nidora::practice {

// The doctor form: edits the MEDICOS record in this thread's buffer by CallRequest and answers
// in CallResponse.
void UpdateMEDICOS();

} // namespace nidora::practice
