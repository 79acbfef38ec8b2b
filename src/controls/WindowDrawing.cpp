#include "controls/WindowDrawing.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace nidora::controls {

WindowDrawing::WindowDrawing(QWidget* window)
    : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
    lower();
    show();
    window->installEventFilter(this);
}

WindowDrawing& WindowDrawing::of(QWidget* window)
{
    // Not a QObject class of its own (no meta-object), so found by its C++ type.
    for (QObject* child : window->children())
        if (auto* drawing = dynamic_cast<WindowDrawing*>(child))
            return *drawing;
    return *new WindowDrawing(window);
}

void WindowDrawing::drawBox(const QRect& rect, const QColor& border, const QColor& fill)
{
    boxes_.push_back({ rect, border, fill });
    update(rect);
}

void WindowDrawing::drawText(const QPoint& at, const QColor& colour, const QString& text)
{
    const QFontMetrics metrics(font());
    const QRect rect(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
    texts_.push_back({ rect, colour, text });
    update(rect);
}

void WindowDrawing::erase(const QRect& rect)
{
    const auto touched = [&rect](const auto& drawn) { return rect.intersects(drawn.rect); };
    std::erase_if(boxes_, touched);
    std::erase_if(texts_, touched);
    update(rect);
}

void WindowDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const Box& box : boxes_) {
        painter.setPen(box.border);
        painter.setBrush(box.fill);
        painter.drawRect(box.rect.adjusted(0, 0, -1, -1));
    }
    for (const Text& text : texts_) {
        painter.setPen(text.colour);
        painter.drawText(text.rect, Qt::AlignLeft | Qt::AlignTop, text.text);
    }
}

// The drawing keeps to the window's size as the window is resized.
bool WindowDrawing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

} // namespace nidora::controls
