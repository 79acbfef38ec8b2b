#pragma once

class QWidget;

namespace nidora::controls {

// Whether the pointer is over the widget itself (or a widget inside it), not over another
// window in front of it.
bool pointerOver(const QWidget* widget);

} // namespace nidora::controls
