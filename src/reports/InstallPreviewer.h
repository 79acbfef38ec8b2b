#pragma once

// Makes the screen's previewer (or the one a test put in its place, ScreenPreviewer.h) the
// program's previewer, for the reports of the folders before this one (views/ProgramPreviewer.h).
// The program's entry calls it once before any window opens.
namespace nidora::reports {

void installScreenPreviewer();

} // namespace nidora::reports
