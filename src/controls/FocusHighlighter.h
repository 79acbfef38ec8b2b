#pragma once

#include "framework/WindowComponents.h"

#include <QRect>
#include <QtGlobal>

#include <vector>

namespace nidora::controls {

// Marks the control that has the focus: another background (one for required fields, one for
// the others) with bold text, a filled box around it, an indicator beside it, as its options
// say; when the focus moves on, the control it left gets its own look back. With the options
// every window passes it changes nothing on screen and only follows the focus.
class FocusHighlighter final : public framework::FocusHighlighter {
public:
    void setUp(framework::Window& window, const framework::HighlighterOptions& options) override;
    // Reacts to a control taking the focus, a sheet showing another page and the window's
    // redraw after a resize; never consumes an event.
    void takeEvent(framework::Window& window, const framework::ThreadEvent& event) override;
    void kill() override;

    void excludeControlType(int kind);
    bool canHighlight(const framework::Control* control) const;
    void highlightControl(framework::Control* control);
    void restoreControl();

    // What it holds of the control highlighted now (none: scField 0).
    int scField() const { return scField_; }
    quint32 scColor() const { return scColor_; }
    int scStyle() const { return scStyle_; }
    // The control's place in the window, in pixels, read when a box or indicator is wanted.
    QRect scPlace() const { return scPlace_; }

private:
    framework::Control* highlighted() const;
    QRect boxRect() const;
    QRect drawnRect() const;

    framework::Window* window_ = nullptr;
    framework::HighlighterOptions options_;
    std::vector<int> excludedControlType_;
    int scField_ = 0;
    quint32 scColor_ = 0;
    int scStyle_ = 0;
    QRect scPlace_;
};

} // namespace nidora::controls
