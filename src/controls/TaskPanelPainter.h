#pragma once

#include <QString>

class QPainter;

namespace nidora::controls {

class TaskPanel;
struct TaskPanelLayout;

// The name of a header's expand/collapse glyph: "TASKXP", "C" expanded or "E" collapsed, "S"
// when hovered, "W" for the second header style, then "_ICO".
QString glyphIconName(bool expanded, bool hovered, int style);

// Paints a laid-out panel in content coordinates; the caller moves the painter for scrolling.
// The background gradient runs over the taller of the content and the view.
void paintTaskPanel(QPainter& painter, const TaskPanel& panel, const TaskPanelLayout& layout, int viewHeight);

} // namespace nidora::controls
