#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace nidora::framework {

// The workspace the program's windows open in. The application frame sets it once at
// start-up; without one (in tests, before the frame exists) windows open on their own.
void setWindowArea(QMdiArea* area);
QMdiArea* windowArea();

// How a window opens: its inner size, in pixels, and where it goes: at a place (pixels from the
// workspace's top left, for its frame) or, without one, centred in the workspace. A resizable
// window can be made larger, never smaller than that size; any other keeps it.
struct WindowOpening {
    QSize size;
    std::optional<QPoint> at {};
    bool resizable = false;
    // A frame without a title bar or borders (the splash and About windows).
    bool frameless = false;
};

// Where a frame of frameSize goes in a workspace of areaSize: at its place, or centred, never
// beyond the workspace's top left corner.
QRect openingGeometry(QSize areaSize, QSize frameSize, const std::optional<QPoint>& at);

// Shows a window in the workspace, or on its own without one, at its size and place, and
// returns the widget that frames it there (the workspace's sub-window, or the window itself).
QWidget* showInWindowArea(QWidget* window, const WindowOpening& opening);

// The same in a given workspace.
QMdiSubWindow* showInWorkspace(QMdiArea& workspace, QWidget* window, const WindowOpening& opening);

// Restores a window's frame when it is minimised and makes it the active window, in the
// workspace or on its own.
void bringToFront(QWidget* frame);

} // namespace nidora::framework
