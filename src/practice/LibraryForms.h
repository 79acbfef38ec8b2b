#pragma once

// The medical library's forms. Each edits the record in this thread's buffer of its file by
// CallRequest and answers in CallResponse; the library fills in the topic (and title) of a new
// title or article before it calls.
namespace nidora::practice {

void UpdateTEMA();
void UpdateTITULO();
void UpdateARTICULO();

} // namespace nidora::practice
