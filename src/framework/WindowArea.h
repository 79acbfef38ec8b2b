#pragma once

class QMdiArea;
class QWidget;

namespace nidora::framework {

// The workspace the program's windows open in. The application frame sets it once at
// start-up; without one (in tests, before the frame exists) windows open on their own.
void setWindowArea(QMdiArea* area);
QMdiArea* windowArea();

// Shows a window in the workspace, or on its own without one, and returns the widget that
// frames it there (the workspace's sub-window, or the window itself).
QWidget* showInWindowArea(QWidget* window);

// Restores a window's frame when it is minimised and makes it the active window, in the
// workspace or on its own.
void bringToFront(QWidget* frame);

} // namespace nidora::framework
