#pragma once

namespace nidora::shell {

// Builds the application, runs the frame until it closes and returns the exit code.
int ProgramEntry(int argc, char** argv);

} // namespace nidora::shell
