#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

namespace nidora::controls {

// What a component draws on a window itself, beneath its controls: filled boxes and short
// texts, kept until a rectangle of them is erased. It fills the window, lies below every control
// and lets the mouse through.
class WindowDrawing final : public QWidget {
public:
    struct Box {
        QRect rect;
        QColor border;
        QColor fill;
    };
    struct Text {
        QRect rect; // where the text lies, from its position and its font's measure
        QColor colour;
        QString text;
    };

    // The window's drawing, made the first time it is asked for.
    static WindowDrawing& of(QWidget* window);

    void drawBox(const QRect& rect, const QColor& border, const QColor& fill);
    // The text's top left at the point, in the window's font.
    void drawText(const QPoint& at, const QColor& colour, const QString& text);
    // Removes whatever was drawn over any part of the rectangle.
    void erase(const QRect& rect);

    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<Text>& texts() const { return texts_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowDrawing(QWidget* window);

    std::vector<Box> boxes_;
    std::vector<Text> texts_;
};

} // namespace nidora::controls
