#pragma once

namespace nidora {

// Registers every resource collection of the program's own icons and pictures. A static library's
// resources are linked in only when registered by name; calling this more than once is harmless.
void registerProgramResources();

} // namespace nidora
