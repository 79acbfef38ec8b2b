// Hit-testing of the panel: the clickable areas a layout pass leaves, hovering and clicks.
#include "controls/TaskPanel.h"
#include "controls/TaskPanelLayout.h"

#include <QMetaObject>

namespace nidora::controls {

void TaskPanel::setMouseAreas(const TaskPanelLayout& layout)
{
    // Hidden tasks and the tasks of collapsed groups keep no area from an earlier pass, so
    // nothing stale can be hovered, clicked or show a tooltip.
    for (HeaderRecord& h : headers_) {
        h.MOUSERECT = {};
        for (TaskRecord& t : h.TASKQUEUE)
            t.MOUSERECT = {};
    }
    for (const GroupLayout& group : layout.groups) {
        HeaderRecord& h = headers_[group.header];
        h.MOUSERECT = group.headerArea;
        for (const TaskRowLayout& row : group.rows)
            h.TASKQUEUE[row.task].MOUSERECT = { layout.left, row.top, layout.right, row.top + row.height };
    }
}

bool TaskPanel::trackHover(QPoint contentPoint)
{
    bool hit = false;
    for (HeaderRecord& h : headers_) {
        if (!h.ISVISIBLE)
            continue;
        h.ISHOVERED = !h.ISALWAYSEXPANDED && h.MOUSERECT.contains(contentPoint);
        hit = hit || h.ISHOVERED;
        if (!h.ISEXPANDED)
            continue;
        for (TaskRecord& t : h.TASKQUEUE) {
            t.ISHOVERED = !t.ISDISABLED && t.MOUSERECT.contains(contentPoint);
            hit = hit || t.ISHOVERED;
        }
    }
    return hit;
}

void TaskPanel::clearHover()
{
    for (HeaderRecord& h : headers_) {
        h.ISHOVERED = false;
        for (TaskRecord& t : h.TASKQUEUE)
            t.ISHOVERED = false;
    }
}

const TaskRecord* TaskPanel::tooltipTaskAt(QPoint contentPoint) const
{
    for (const HeaderRecord& h : headers_) {
        if (!h.ISVISIBLE || !h.ISEXPANDED)
            continue;
        for (const TaskRecord& t : h.TASKQUEUE)
            if (t.ISVISIBLE && !t.TOOLTIP.isEmpty() && t.MOUSERECT.contains(contentPoint))
                return &t;
    }
    return nullptr;
}

bool TaskPanel::clickAt(QPoint contentPoint)
{
    // By index and id: OnClick runs the owner's code, which may add headers or tasks.
    bool hit = false;
    for (std::size_t hi = 0; hi < headers_.size(); ++hi) {
        const HeaderRecord& h = headers_[hi];
        if (!h.ISVISIBLE)
            continue;
        if (h.MOUSERECT.contains(contentPoint)) {
            if (!h.ISALWAYSEXPANDED) {
                OnClick(h.ID, 0, true, h.ISEXPANDED);
                Refresh();
                hit = true;
            }
            continue;
        }
        if (!h.ISEXPANDED)
            continue;
        for (const TaskRecord& t : h.TASKQUEUE) {
            if (!t.ISVISIBLE || t.ISDISABLED || !t.MOUSERECT.contains(contentPoint))
                continue;
            const qint32 headerId = h.ID;
            const qint32 taskId = t.ID;
            if (t.MIMICBUTTON && t.BUTTONWND)
                QMetaObject::invokeMethod(t.BUTTONWND.data(), &QAbstractButton::click, Qt::QueuedConnection);
            OnClick(headerId, taskId, true, t.LEFTACTIONFEQ);
            const HeaderRecord* clicked = header(headerId);
            if (wizardMode_ && clicked && !clicked->DONTWIZARD)
                markWizardTask(headerId, taskId);
            Refresh();
            return true;
        }
    }
    return hit;
}

void TaskPanel::markWizardTask(qint32 headerId, qint32 taskId)
{
    if (wizardLastHeader_ != 0 && wizardLastTask_ != 0)
        if (TaskRecord* previous = task(wizardLastHeader_, wizardLastTask_))
            previous->ISBOLD = false;
    if (TaskRecord* t = task(headerId, taskId))
        t->ISBOLD = true;
    wizardLastHeader_ = headerId;
    wizardLastTask_ = taskId;
}

} // namespace nidora::controls
