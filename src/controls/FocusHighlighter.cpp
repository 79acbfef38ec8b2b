#include "controls/FocusHighlighter.h"

#include "controls/WindowDrawing.h"
#include "framework/Colour.h"
#include "framework/ControlKind.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QPalette>

#include <algorithm>

namespace nidora::controls {

using framework::Control;
using framework::ControlKind;

namespace {

// The kinds never highlighted, in the order they are excluded. 18, 22, 24, 25, 32, 128 and 270
// are kinds of the window library this program has no controls of.
constexpr int kNeverHighlighted[]
    = { 1, 2, 3, 4, 5, 6, 7, 10, 13, 18, 25, 32, 35, 270, 128, 19, 20, 22, 24, 37, 38, 39, 9 };

// The framework's further text kind, which the highlighter treats like a list.
constexpr int kFurtherTextKind = 40;

// Lists keep their look: their rows show the focus themselves.
bool keepsItsLook(ControlKind kind)
{
    return kind == ControlKind::List || kind == ControlKind::DropList
        || static_cast<int>(kind) == kFurtherTextKind;
}

int fontStyle(const QWidget* widget)
{
    return widget->font().weight();
}

void setFontStyle(QWidget* widget, int weight)
{
    QFont font = widget->font();
    font.setWeight(static_cast<QFont::Weight>(weight));
    widget->setFont(font);
}

// The background of the control in use; a disabled one keeps the disabled colour.
quint32 background(const QWidget* widget)
{
    return colour::fromQColor(widget->palette().color(QPalette::Active, QPalette::Base));
}

void setBackground(QWidget* widget, quint32 value)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        palette.setColor(group, QPalette::Base, colour::toQColor(value));
    widget->setPalette(palette);
}

} // namespace

void FocusHighlighter::setUp(framework::Window& window, const framework::HighlighterOptions& options)
{
    window_ = &window;
    options_ = options;
    // At most two characters, without the blanks after them.
    options_.indicator = options.indicator.trimmed().left(2);
    for (const int kind : kNeverHighlighted)
        excludeControlType(kind);
}

void FocusHighlighter::excludeControlType(int kind)
{
    excludedControlType_.push_back(kind);
}

bool FocusHighlighter::canHighlight(const Control* control) const
{
    if (!control || !control->widget() || !control->widget()->isVisible())
        return false;
    return std::find(
               excludedControlType_.begin(), excludedControlType_.end(), static_cast<int>(control->kind()))
        == excludedControlType_.end();
}

Control* FocusHighlighter::highlighted() const
{
    return window_ ? window_->control(scField_) : nullptr;
}

void FocusHighlighter::highlightControl(Control* control)
{
    if (!window_ || !canHighlight(control)) {
        scField_ = 0;
        return;
    }
    QWidget* widget = control->widget();
    scField_ = control->number();
    scStyle_ = fontStyle(widget);
    scColor_ = background(widget);
    if (!keepsItsLook(control->kind())) {
        // The drop-down part of a combo keeps its own look whatever the line gets.
        auto* combo = qobject_cast<QComboBox*>(widget);
        QWidget* dropped = combo ? combo->view() : nullptr;
        const quint32 droppedColour = dropped ? background(dropped) : 0;
        const int droppedStyle = dropped ? fontStyle(dropped) : 0;
        if (options_.changeColor) {
            if (options_.boldText)
                setFontStyle(widget, QFont::Bold);
            setBackground(
                widget, control->isRequired() ? options_.backgroundColorRequired : options_.backgroundColor);
        }
        if (dropped) {
            setBackground(dropped, droppedColour);
            setFontStyle(dropped, droppedStyle);
        }
    }
    if (!options_.displayBox && !options_.displayIndicator)
        return;
    QWidget* shown = window_->widget();
    scPlace_ = QRect(widget->mapTo(shown, QPoint(0, 0)), widget->size());
    WindowDrawing& drawing = WindowDrawing::of(shown);
    const bool required = control->isRequired();
    if (options_.displayBox)
        drawing.drawBox(boxRect(),
            colour::toQColor(required ? options_.boxBorderColorRequired : options_.boxBorderColor),
            colour::toQColor(required ? options_.boxFillColorRequired : options_.boxFillColor));
    if (options_.displayIndicator)
        drawing.drawText(
            QPoint(scPlace_.x() - window_->units().toPixelsX(options_.indicatorOffset), scPlace_.y()),
            colour::toQColor(options_.indicatorColor), options_.indicator);
}

void FocusHighlighter::restoreControl()
{
    Control* control = highlighted();
    if (!control)
        return;
    if (!keepsItsLook(control->kind()) && options_.changeColor) {
        setBackground(control->widget(), scColor_);
        if (options_.boldText)
            setFontStyle(control->widget(), scStyle_);
    }
    if (options_.displayBox || options_.displayIndicator)
        WindowDrawing::of(window_->widget()).erase(drawnRect());
}

QRect FocusHighlighter::boxRect() const
{
    const int across = window_->units().toPixelsX(options_.boxSize);
    const int down = window_->units().toPixelsY(options_.boxSize);
    return scPlace_.adjusted(-across, -down, across, down);
}

// What was drawn for the control: the box, reaching left and right as far as the indicator
// when that lies further out, or the indicator alone, up to the control's left edge however wide
// its text is.
QRect FocusHighlighter::drawnRect() const
{
    const int offset = window_->units().toPixelsX(options_.indicatorOffset);
    const int across = window_->units().toPixelsX(options_.boxSize);
    if (options_.displayBox) {
        const QRect box = boxRect();
        if (options_.displayIndicator && offset > across)
            return QRect(scPlace_.x() - offset, box.y(), scPlace_.width() + 2 * offset, box.height());
        return box;
    }
    const QFontMetrics metrics(window_->widget()->font());
    const int width = std::max(offset, metrics.horizontalAdvance(options_.indicator));
    return QRect(scPlace_.x() - offset, scPlace_.y(), width, std::max(scPlace_.height(), metrics.height()));
}

void FocusHighlighter::takeEvent(framework::Window& window, const framework::ThreadEvent& event)
{
    if (&window != window_)
        return;
    const bool sheetPage = event.code == framework::event::NewSelection && window.controlOf(event.source)
        && window.controlOf(event.source)->kind() == ControlKind::Sheet;
    if (event.code == framework::event::RedrawHighlight) {
        // The control may have moved with the window's new size.
        restoreControl();
        highlightControl(highlighted());
    } else if (event.code == framework::event::Selected || sheetPage) {
        restoreControl();
        Control* focused = window.controlOf(QApplication::focusWidget());
        highlightControl(focused ? focused : window.controlOf(event.source));
    }
}

void FocusHighlighter::kill()
{
    excludedControlType_.clear();
}

} // namespace nidora::controls
