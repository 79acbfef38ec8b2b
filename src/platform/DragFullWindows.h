#pragma once

#include "platform/PlatformService.h"

namespace nidora::platform {

// The desktop's setting for showing a window's contents while it is dragged, which the
// program switches off while it runs when it was on, and back on at a normal end.
class DragFullWindows {
public:
    // How a change is made known: written to the user's profile, sent to every window.
    enum UpdateFlag : unsigned {
        UpdateProfile = 0x1,
        BroadcastChange = 0x2,
    };

    virtual ~DragFullWindows() = default;

    // 1 when window contents are shown while dragging, 0 when not.
    virtual int get() const = 0;
    virtual void set(bool on, unsigned updateFlags) = 0;
};

// This desktop offers no such setting for a program to change, so the value is kept for the
// life of the process. It starts on, the usual desktop default, so that the start-up and
// shut-down steps that depend on it run here as they would there. The update flags have
// nothing to update and are accepted as they come.
class ProcessDragFullWindows final : public DragFullWindows {
public:
    int get() const override { return value_; }
    void set(bool on, unsigned) override { value_ = on ? 1 : 0; }

private:
    int value_ = 1;
};

using DragFullWindowsService = PlatformService<DragFullWindows, ProcessDragFullWindows>;

} // namespace nidora::platform
