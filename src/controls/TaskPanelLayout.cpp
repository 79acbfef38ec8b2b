#include "controls/TaskPanelLayout.h"

#include "controls/TaskPanel.h"

#include <QFontMetrics>

#include <algorithm>

namespace nidora::controls {

namespace {

// Room around the task text: 10 on the left and 6 on the right when measuring; the icon box
// and 10 more when the row keeps room for an icon.
constexpr int measureInset = 10 + 6;
constexpr int iconGap = 10;

TaskRowLayout layOutRow(const TaskPanel& panel, const HeaderRecord& h, const TaskRecord& t, int left,
    int right, int top, const TextHeight& textHeight)
{
    TaskRowLayout row;
    row.top = top;
    row.iconBox = std::max(h.ICONSIZES + 1, minimumIconBox);
    const bool keepsIconRoom = t.hasIcon() || t.JUSTIFICATION == JustifyLeft;
    int measureWidth = (right - left) - measureInset;
    if (keepsIconRoom)
        measureWidth -= row.iconBox + iconGap;
    const int measured = textHeight(
        t.TITLE, panel.taskFont(t.ISBOLD, t.ISHOVERED), std::max(measureWidth, 1), panel.wordWrap());
    row.wrapped = measured > row.iconBox && h.WORDWRAP && panel.wordWrap();
    row.height = row.wrapped ? measured + 6 : row.iconBox;

    const int textLeft = keepsIconRoom ? left + row.iconBox + 6 : left + 6;
    const int textRight = right - 11;
    const int textTop = row.wrapped ? top + 2 : top;
    row.textRect = QRect(textLeft, textTop, textRight - textLeft, row.height);
    return row;
}

} // namespace

int fontTextHeight(const QString& text, const QFont& font, int width, bool wrap)
{
    const QFontMetrics metrics(font);
    if (!wrap)
        return metrics.height();
    return metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height();
}

TaskPanelLayout layOutTaskPanel(const TaskPanel& panel, int width, const TextHeight& textHeight)
{
    const PanelMargins& m = panel.margins();
    TaskPanelLayout layout;
    layout.width = width;
    layout.left = m.LEFT;
    layout.right = width - m.RIGHT;
    const int left = layout.left;
    const int right = layout.right;
    const int groupGap = m.BOTTOM + 5;

    int y = m.TOP;
    int drawnBottom = 0; // lowest pixel row drawn so far, plus one
    const auto& headers = panel.headers();
    for (std::size_t hi = 0; hi < headers.size(); ++hi) {
        const HeaderRecord& h = headers[hi];
        if (!h.ISVISIBLE)
            continue;
        GroupLayout group;
        group.header = hi;
        group.top = y;
        if (h.ISBOXED) {
            group.headerArea = { left, y, right, y };
            y += boxedHeaderHeight;
            drawnBottom = std::max(drawnBottom, y);
        } else {
            group.headerArea = { left, y, right, y + headerBandHeight };
            const int titleLeft = h.ICONNAME.trimmed().isEmpty() ? left + 6 : left + 37;
            group.titleRect = QRect(titleLeft, y, right - 25 - titleLeft, headerSlotHeight - 3);
            y += headerSlotHeight;
            drawnBottom = std::max(drawnBottom, group.top + headerBandHeight);
        }
        if (h.ISEXPANDED) {
            for (std::size_t ti = 0; ti < h.TASKQUEUE.size(); ++ti) {
                const TaskRecord& t = h.TASKQUEUE[ti];
                if (!t.ISVISIBLE)
                    continue;
                TaskRowLayout row = layOutRow(panel, h, t, left, right, y, textHeight);
                row.task = ti;
                y += row.height;
                group.rows.push_back(row);
            }
        }
        // A group without rows gives back part of its slot's lower gap; one with rows ends in a
        // frame 5 pixels deep under its last row.
        if (group.rows.empty())
            y -= 10;
        else
            drawnBottom = std::max(drawnBottom, y + groupFrameDepth);
        y += groupGap;
        layout.groups.push_back(std::move(group));
    }
    // Normally the gap after the last group covers its frame; a negative gap must not cut it off.
    layout.contentHeight = std::max(y, drawnBottom);
    return layout;
}

int maxScrollPosition(int contentHeight, int viewHeight)
{
    return std::max(0, contentHeight - viewHeight);
}

int clampedScrollPosition(int position, int contentHeight, int viewHeight)
{
    return std::clamp(position, 0, maxScrollPosition(contentHeight, viewHeight));
}

} // namespace nidora::controls
