#include "controls/ThemeLibrary.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace nidora::controls {

namespace {

const QString kClasses[]
    = { QString::fromLatin1(ThemeLibrary::Edit), QString::fromLatin1(ThemeLibrary::Combobox),
          QString::fromLatin1(ThemeLibrary::Spin), QString::fromLatin1(ThemeLibrary::Tab) };

QStyle::State styleState(int state, const QWidget* widget)
{
    QStyle::State flags = QStyle::State_None;
    if (state != ThemeLibrary::Disabled)
        flags |= QStyle::State_Enabled;
    if (state == ThemeLibrary::Hot)
        flags |= QStyle::State_MouseOver;
    if (state == ThemeLibrary::Pressed)
        flags |= QStyle::State_Sunken | QStyle::State_On;
    if (state == ThemeLibrary::ReadOnly)
        flags |= QStyle::State_ReadOnly;
    if (widget && widget->hasFocus())
        flags |= QStyle::State_HasFocus;
    return flags;
}

void drawButton(QStyle* style, QPainter& painter, QStyle::PrimitiveElement glyph, QStyle::State state,
    const QRect& rect, const QWidget* widget)
{
    QStyleOption option;
    if (widget)
        option.initFrom(widget);
    option.rect = rect;
    option.state = state | QStyle::State_Raised;
    style->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, widget);
    style->drawPrimitive(glyph, &option, &painter, widget);
}

} // namespace

ThemeLibrary::ThemeLibrary()
{
    hasLib_ = qobject_cast<QApplication*>(QCoreApplication::instance()) && QApplication::style();
}

ThemeLibrary::~ThemeLibrary()
{
    hasLib_ = false;
}

int ThemeLibrary::openThemeData(const QString& themeClass)
{
    if (!hasLib_ || !active_
        || std::find(std::begin(kClasses), std::end(kClasses), themeClass) == std::end(kClasses))
        return 0;
    open_.insert({ ++lastHandle_, themeClass });
    return lastHandle_;
}

void ThemeLibrary::closeThemeData(int data)
{
    open_.erase({ data, {} });
}

void ThemeLibrary::drawThemeBackground(
    int data, QPainter& painter, int part, int state, const QRect& rect, const QWidget* widget) const
{
    const auto opened = open_.find({ data, {} });
    if (opened == open_.end())
        return;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QStyle::State flags = styleState(state, widget);
    const QString& themeClass = opened->themeClass;
    if (themeClass == QLatin1String(Edit) && part == EditFrame) {
        QStyleOptionFrame frame;
        if (widget)
            frame.initFrom(widget);
        frame.rect = rect;
        frame.state = flags | QStyle::State_Sunken;
        frame.lineWidth = 1;
        style->drawPrimitive(QStyle::PE_FrameLineEdit, &frame, &painter, widget);
    } else if (themeClass == QLatin1String(Combobox) && part == DropButton) {
        drawButton(style, painter, QStyle::PE_IndicatorArrowDown, flags, rect, widget);
    } else if (themeClass == QLatin1String(Spin) && (part == SpinUp || part == SpinDown)) {
        drawButton(style, painter, part == SpinUp ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown,
            flags, rect, widget);
    } else if (themeClass == QLatin1String(Tab) && part == TabPane) {
        QStyleOptionTabWidgetFrame pane;
        if (widget)
            pane.initFrom(widget);
        pane.rect = rect;
        pane.state = flags;
        pane.lineWidth = 1;
        style->drawPrimitive(QStyle::PE_FrameTabWidget, &pane, &painter, widget);
    }
}

} // namespace nidora::controls
