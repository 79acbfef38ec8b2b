#pragma once

namespace nidora::practice {

// The agenda: the appointments of one day, one row per slot, for the current doctor or for all
// of them. Each day shown first gets its free slots from the working hours (FreeSlots.h).
void BrowseAGENDA();

} // namespace nidora::practice
