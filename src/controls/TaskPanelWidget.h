#pragma once

#include "controls/TaskPanelLayout.h"

#include <QBasicTimer>
#include <QWidget>

class QHelpEvent;
class QScrollBar;

namespace nidora::controls {

class TaskPanel;

// The panel on screen: a child of the control it replaces, covering it and following its size.
// Each paint lays the panel out afresh, stores the clickable areas and draws; the mouse hovers
// and clicks on those areas, the wheel and the scroll bar move the view by whole steps.
class TaskPanelWidget : public QWidget {
public:
    TaskPanelWidget(TaskPanel& panel, QWidget* control);

    // The panel lets go: from now on the widget answers nothing and only waits to be deleted.
    void detach();

    const TaskPanelLayout& lastLayout() const { return layout_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    bool isHoverTimerRunning() const { return hoverTimer_.isActive(); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void layOut();
    void showTooltip(const QHelpEvent& help);
    void checkPointerLeft();
    QPoint toContent(QPoint viewPoint) const;

    TaskPanel* panel_;
    TaskPanelLayout layout_;
    QScrollBar* scrollBar_;
    QBasicTimer hoverTimer_;
    int wheelRemainder_ = 0;
};

} // namespace nidora::controls
