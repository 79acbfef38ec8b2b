#pragma once

namespace nidora::practice {

// The appointment form: edits the AGENDA record in this thread's buffer by CallRequest (1 a
// record the day list primed with its day, 2 change, 3 delete, 6 view), with the patient
// looked up by code or through the patient lookup, and answers in CallResponse.
void UpdateAGENDA();

} // namespace nidora::practice
