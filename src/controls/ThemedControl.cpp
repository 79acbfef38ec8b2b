#include "controls/ThemedControl.h"

#include "controls/ThemeLibrary.h"
#include "framework/Control.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace nidora::controls {

namespace {

constexpr int kHotTrackingMs = 100;

bool isReadOnly(const QWidget* widget)
{
    if (auto* line = qobject_cast<const QLineEdit*>(widget))
        return line->isReadOnly();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(widget))
        return text->isReadOnly();
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(widget))
        return spin->isReadOnly();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->lineEdit() && combo->lineEdit()->isReadOnly();
    return false;
}

// The ring one pixel wide along the rectangle's edges.
QRegion ring(const QRect& rect)
{
    return QRegion(rect).subtracted(QRegion(rect.adjusted(1, 1, -1, -1)));
}

} // namespace

ThemedControl::ThemedControl(ThemeLibrary& library)
    : library_(library)
{
    timer_.setInterval(kHotTrackingMs);
    connect(&timer_, &QTimer::timeout, this, [this] { updateHotState(); });
}

ThemedControl::~ThemedControl()
{
    release();
}

bool ThemedControl::attach(framework::Control& control, const char* themeClass)
{
    if (noLib_ || !themeClass || !*themeClass || !control.widget())
        return false;
    control_ = &control;
    hTheme_ = library_.openThemeData(QString::fromLatin1(themeClass));
    if (!hTheme_)
        return false;
    widget_ = control.widget();
    readState();
    state_ = ThemeLibrary::Normal;
    widget_->setProperty(kPainterProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    widget_->installEventFilter(this);
    widget_->update();
    return true;
}

int ThemedControl::openExtra(const char* themeClass)
{
    extraTheme_ = noLib_ ? 0 : library_.openThemeData(QString::fromLatin1(themeClass));
    return extraTheme_;
}

void ThemedControl::readState()
{
    isVisible_ = widget_->isVisible();
    isEnabled_ = widget_->isEnabled();
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget_.data());
    hasVScroll_ = area && area->verticalScrollBar()->isVisible();
    hasHScroll_ = area && area->horizontalScrollBar()->isVisible();
}

void ThemedControl::kill()
{
    ++timesKilled_;
    release();
}

void ThemedControl::release()
{
    timer_.stop();
    if (widget_) {
        widget_->removeEventFilter(this);
        widget_->setProperty(kPainterProperty, QVariant());
        widget_->update();
        widget_ = nullptr;
    }
    for (int* data : { &hTheme_, &extraTheme_ }) {
        if (*data)
            library_.closeThemeData(*data);
        *data = 0;
    }
}

QRect ThemedControl::frameOf() const
{
    return widget_->rect();
}

void ThemedControl::draw(QPainter& painter)
{
    if (!widget_)
        return;
    readState();
    state_ = !isEnabled_      ? ThemeLibrary::Disabled
        : isReadOnly(widget_) ? ThemeLibrary::ReadOnly
                              : ThemeLibrary::Normal;
    if (!isVisible_)
        return;
    frame_ = frameOf();
    painter.save();
    painter.setClipRegion(ring(frame_));
    paintFrame(painter, frame_);
    painter.restore();
}

void ThemedControl::paintFrame(QPainter& painter, const QRect& frame)
{
    drawPart(hTheme_, painter, ThemeLibrary::EditFrame, state_, frame);
}

void ThemedControl::drawPart(int data, QPainter& painter, int part, int state, const QRect& rect) const
{
    library_.drawThemeBackground(data, painter, part, state, rect, widget_);
}

void ThemedControl::refresh()
{
    if (widget_)
        widget_->update();
}

bool ThemedControl::passOn(QObject* watched, QEvent* event)
{
    // The object's own handling, as the toolkit would have run it had the painter not been
    // first to see the event.
    return watched->event(event);
}

bool ThemedControl::takeMessage(QObject* watched, QEvent* event)
{
    if (!timer_.isActive())
        timer_.start();
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::Paint: {
        passOn(watched, event);
        QPainter painter(widget_);
        draw(painter);
        return true;
    }
    case QEvent::EnabledChange:
        isEnabled_ = widget_->isEnabled();
        refresh();
        return false;
    default:
        return false;
    }
}

bool ThemedControl::eventFilter(QObject* watched, QEvent* event)
{
    if (!widget_)
        return false;
    return takeMessage(watched, event);
}

} // namespace nidora::controls
