#pragma once

#include <functional>

namespace nidora::clinical {

// The patient list "BrowsePACIENTES", started by the frame on a thread of its own: every patient
// under five tabs, in the colours of his sex, added, changed and deleted through the patient
// form. Only one is open at a time: a second start brings the open one to the front and ends
// without showing anything.
void BrowsePACIENTES();

} // namespace nidora::clinical
