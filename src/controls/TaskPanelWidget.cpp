#include "controls/TaskPanelWidget.h"

#include "controls/TaskPanel.h"
#include "controls/TaskPanelPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

namespace nidora::controls {

namespace {

// How often the panel checks whether the pointer has left it.
constexpr int hoverCheckMs = 100;
constexpr int wheelNotch = 120;

// Tooltips wider than the panel's maximum wrap within it.
QString tooltipText(const QString& text, int maxWidth)
{
    if (maxWidth <= 0 || QFontMetrics(QToolTip::font()).horizontalAdvance(text) <= maxWidth)
        return text;
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
        .arg(maxWidth)
        .arg(text.toHtmlEscaped());
}

} // namespace

TaskPanelWidget::TaskPanelWidget(TaskPanel& panel, QWidget* control)
    : QWidget(control)
    , panel_(&panel)
    , scrollBar_(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("TaskPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setGeometry(control->rect());
    control->installEventFilter(this);
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!panel_)
            return;
        panel_->setScrollPos(value);
        update();
    });
}

void TaskPanelWidget::detach()
{
    hoverTimer_.stop();
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    panel_ = nullptr;
}

QPoint TaskPanelWidget::toContent(QPoint viewPoint) const
{
    return viewPoint + QPoint(0, panel_->scrollPos());
}

void TaskPanelWidget::layOut()
{
    panel_->updateMirroredTasks();
    const int viewHeight = height();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    layout_ = layOutTaskPanel(*panel_, width());
    // The scroll bar takes its width from the panel; narrower, the content only grows.
    const bool scrolling = layout_.contentHeight > viewHeight;
    if (scrolling)
        layout_ = layOutTaskPanel(*panel_, std::max(0, width() - barWidth));
    panel_->setMouseAreas(layout_);
    panel_->setScrollPos(clampedScrollPosition(panel_->scrollPos(), layout_.contentHeight, viewHeight));

    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setRange(0, maxScrollPosition(layout_.contentHeight, viewHeight));
    scrollBar_->setPageStep(viewHeight);
    scrollBar_->setSingleStep(QApplication::wheelScrollLines());
    scrollBar_->setValue(panel_->scrollPos());
    scrollBar_->setGeometry(width() - barWidth, 0, barWidth, viewHeight);
    scrollBar_->setVisible(scrolling);
}

void TaskPanelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!panel_) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    layOut();
    painter.translate(0, -panel_->scrollPos());
    paintTaskPanel(painter, *panel_, layout_, height());
}

void TaskPanelWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!panel_)
        return;
    if (!hoverTimer_.isActive())
        hoverTimer_.start(hoverCheckMs, this);
    const bool hit = panel_->trackHover(toContent(event->position().toPoint()));
    setCursor(hit ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

void TaskPanelWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!panel_ || event->button() != Qt::LeftButton)
        return;
    const bool hit = panel_->clickAt(toContent(event->position().toPoint()));
    setCursor(hit ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TaskPanelWidget::wheelEvent(QWheelEvent* event)
{
    // Each notch is one line step of the scroll bar, as its arrows move it.
    wheelRemainder_ += event->angleDelta().y();
    for (; wheelRemainder_ >= wheelNotch; wheelRemainder_ -= wheelNotch)
        scrollBar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
    for (; wheelRemainder_ <= -wheelNotch; wheelRemainder_ += wheelNotch)
        scrollBar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    event->accept();
}

void TaskPanelWidget::resizeEvent(QResizeEvent*)
{
    if (!panel_)
        return;
    // Whatever lay under the pointer may have moved.
    panel_->clearHover();
    update();
}

void TaskPanelWidget::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == hoverTimer_.timerId())
        checkPointerLeft();
    else
        QWidget::timerEvent(event);
}

void TaskPanelWidget::checkPointerLeft()
{
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    if (under == this || isAncestorOf(under))
        return;
    hoverTimer_.stop();
    if (panel_)
        panel_->clearHover();
    update();
}

bool TaskPanelWidget::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    showTooltip(static_cast<const QHelpEvent&>(*event));
    return true;
}

void TaskPanelWidget::showTooltip(const QHelpEvent& help)
{
    const TaskRecord* t = panel_ && panel_->tooltipMode() != TooltipsOff
        ? panel_->tooltipTaskAt(toContent(help.pos()))
        : nullptr;
    if (!t) {
        QToolTip::hideText();
        return;
    }
    const MouseRect& area = t->MOUSERECT;
    const QRect visibleArea(
        area.LEFT, area.TOP - panel_->scrollPos(), area.RIGHT - area.LEFT, area.BOTTOM - area.TOP);
    QToolTip::showText(
        help.globalPos(), tooltipText(t->TOOLTIP, panel_->tooltipMaxWidth()), this, visibleArea);
}

bool TaskPanelWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace nidora::controls
