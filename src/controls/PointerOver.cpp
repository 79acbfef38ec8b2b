#include "controls/PointerOver.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace nidora::controls {

bool pointerOver(const QWidget* widget)
{
    const QPoint at = QCursor::pos();
    if (!widget->rect().contains(widget->mapFromGlobal(at)))
        return false;
    const QWidget* under = QApplication::widgetAt(at);
    return under && (under == widget || widget->isAncestorOf(under));
}

} // namespace nidora::controls
