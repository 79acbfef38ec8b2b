#pragma once

#include "framework/ControlKind.h"
#include "framework/WindowComponents.h"

#include <utility>
#include <vector>

namespace nidora::controls {

// Lets the user move the focus through a window's controls with Enter and the arrow keys, the
// way Tab and Shift+Tab move it: each control gets the keys of its kind as alert keys, and an
// alert key the navigator takes becomes a simulated Tab or Shift+Tab (Enter in a multi-line
// text box becomes a new line instead). Excluded controls keep every key's own meaning.
class TabOrderNavigator final : public framework::KeyboardNavigator {
public:
    // Leaves a control alone; before buildTabOrder.
    void exclude(framework::Control& control) override;
    void excludeControl(int number);
    bool isExcluded(int number) const;

    // An explicit pair of the tab order: Tab on control goes to next, Shift+Tab on next comes
    // back. No window of the program sets one; the window's own tab order decides otherwise.
    void addTabStopPair(int control, int next);

    void buildTabOrder(framework::Window& window) override { buildTabOrder(window, false); }
    // noSideKeys: lists and drop lists keep Left and Right for themselves.
    void buildTabOrder(framework::Window& window, bool noSideKeys);
    bool isReady() const { return inited_; }

    // True when the event was an alert key the navigator took (and acted on).
    bool takeEvent(framework::Window& window, const framework::ThreadEvent& event) override;

    // Simulates a key press for the window's focused control.
    static void pressKey(framework::Window& window, int code);

    void kill() override;

    // The keys a control of the kind gets; singleLine tells a one-line text box from a memo.
    static std::vector<int> alertKeysOf(framework::ControlKind kind, bool singleLine, bool noSideKeys);

private:
    // Where Tab (forward) or Shift+Tab goes from the control: its explicit pair, else the
    // window's next or previous tab stop.
    framework::Control* tabTarget(
        framework::Window& window, const framework::Control& control, bool forward) const;

    std::vector<int> excluded_;
    std::vector<std::pair<int, int>> nextTabStop_; // (control, the control that follows it)
    bool inited_ = false;
};

} // namespace nidora::controls
