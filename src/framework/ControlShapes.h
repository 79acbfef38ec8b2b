#pragma once

#include "framework/Control.h"

#include <QFrame>
#include <QGroupBox>
#include <QProgressBar>

namespace nidora::framework {

// A rectangle drawn around other controls.
class BoxControl final : public Control {
public:
    BoxControl();
};

// A titled frame around the controls placed inside it (Window::addIn), which keep their own
// numbers in the window's order.
class GroupControl final : public Control {
public:
    explicit GroupControl(const QString& text);
};

// A sunken panel framing the controls beneath it (a picture's frame); it fills nothing, so
// what it frames shows through.
class PanelControl final : public Control {
public:
    PanelControl();
};

// A line across or down, by the longer side of its place.
class LineControl final : public Control {
public:
    LineControl();

protected:
    void attached() override;
};

// An invisible area of the window, for the clicks and drops a procedure takes there.
class RegionControl final : public Control {
public:
    RegionControl();
};

// How far a long task has come, from 0 to 100.
class ProgressControl final : public Control {
public:
    ProgressControl();
    void setValue(int percent);
    int value() const;

private:
    QProgressBar* bar_;
};

} // namespace nidora::framework
