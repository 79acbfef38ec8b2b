#pragma once

#include <QString>

class QMdiSubWindow;

namespace nidora::shell {

// The splash window: shown in the frame's workspace once the frame has opened, it closes after
// 20 seconds, on a left, double or right click, or as soon as another window takes the focus.
void PantallaFondo();

// The About window: several may be open at once; a click anywhere on it closes it.
void HelpAbout();

// The text shown in the About window's text box.
QString aboutText();

// Builds the windows inside the frame's workspace without waiting on them, for the procedures
// above and for tests; nullptr when no frame is open.
QMdiSubWindow* openSplashWindow();
QMdiSubWindow* openAboutWindow();

} // namespace nidora::shell
