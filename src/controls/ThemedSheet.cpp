#include "controls/ThemedSheet.h"

#include "controls/ThemeLibrary.h"

#include <QEvent>
#include <QTabWidget>

namespace nidora::controls {

bool ThemedSheet::init(framework::Control& control)
{
    return attach(control, ThemeLibrary::Tab);
}

QRect ThemedSheet::frameOf() const
{
    const auto* tabs = qobject_cast<const QTabWidget*>(widget());
    const QWidget* page = tabs ? tabs->currentWidget() : nullptr;
    if (!page)
        return ThemedControl::frameOf();
    return QRect(page->mapTo(widget(), QPoint(0, 0)), page->size()).adjusted(-1, -1, 1, 1);
}

void ThemedSheet::paintFrame(QPainter& painter, const QRect& frame)
{
    drawPart(hTheme(), painter, ThemeLibrary::TabPane, state(), frame);
}

// The tab strip paints itself; only the pane below it is drawn again.
void ThemedSheet::refresh()
{
    if (widget())
        widget()->update(frameOf());
}

bool ThemedSheet::takeMessage(QObject* watched, QEvent* event)
{
    if (watched == widget()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        refresh();
    return ThemedControl::takeMessage(watched, event);
}

} // namespace nidora::controls
