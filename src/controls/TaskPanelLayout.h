#pragma once

#include "controls/TaskPanelRecords.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

namespace nidora::controls {

class TaskPanel;

// Where one pass puts everything, in content coordinates (y = 0 at the top of the content).
// The same pass serves painting, the clickable areas and the scroll range, so what is drawn,
// what can be clicked and how far the panel scrolls always agree.
struct TaskRowLayout {
    std::size_t task = 0; // index in the header's TASKQUEUE
    int top = 0;
    int height = 0;
    int iconBox = 0; // the width kept for the icon, never under 20
    bool wrapped = false; // the text is laid out on several lines
    QRect textRect;
};

struct GroupLayout {
    std::size_t header = 0; // index in the panel's headers
    int top = 0; // top of the header's slot, or of its box line when boxed
    MouseRect headerArea; // empty for a boxed header
    QRect titleRect; // unused when boxed
    std::vector<TaskRowLayout> rows; // the visible tasks, when the header is expanded

    int tasksBottom() const { return rows.empty() ? 0 : rows.back().top + rows.back().height; }
};

struct TaskPanelLayout {
    int width = 0;
    int left = 0; // L and R of every group
    int right = 0;
    int contentHeight = 0;
    std::vector<GroupLayout> groups; // the visible headers, in order
};

// Heights of a header slot, of a boxed header's line and the task icon box's least size.
constexpr int headerSlotHeight = 30;
constexpr int headerBandHeight = 25;
constexpr int boxedHeaderHeight = 1;
constexpr int minimumIconBox = 20;
constexpr int groupFrameDepth = 5; // the frame drawn under a group's last row

// The height of a text set in a font within a width, word-wrapped or on one line.
using TextHeight = std::function<int(const QString& text, const QFont& font, int width, bool wrap)>;
int fontTextHeight(const QString& text, const QFont& font, int width, bool wrap);

TaskPanelLayout layOutTaskPanel(
    const TaskPanel& panel, int width, const TextHeight& textHeight = fontTextHeight);

// The furthest the panel scrolls, and a position held within 0 and that (0 when all fits).
int maxScrollPosition(int contentHeight, int viewHeight);
int clampedScrollPosition(int position, int contentHeight, int viewHeight);

} // namespace nidora::controls
