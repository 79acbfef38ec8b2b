#pragma once

#include "controls/ThemedControl.h"
#include "framework/WindowComponents.h"

#include <memory>
#include <vector>

namespace nidora::controls {

class ThemeLibrary;

// One per window: gives each suitable control it is handed a painter of its kind, keeps the
// painters in the order added and kills and frees them, each once, when the window ends.
//
// The painters draw their frames inside their own controls, so the window's own repainting never
// covers them and the window itself is not taken over.
class ThemeManager final : public framework::ThemeManager {
public:
    explicit ThemeManager(ThemeLibrary& library);
    ~ThemeManager() override;

    // Picks the painter for the control's kind, if any, and attaches it.
    void addControl(framework::Control& control) override;
    // Keeps a painter made elsewhere; a null one is ignored.
    void registerPainter(std::unique_ptr<ThemedControl> painter);
    // Every painter asked to draw its control again, in order.
    void redrawAll();
    void kill() override;

    const std::vector<std::unique_ptr<ThemedControl>>& painters() const { return controlsQ_; }

    // The painter a control of the kind gets, none for the kinds that keep the toolkit's look.
    static std::unique_ptr<ThemedControl> painterFor(
        const framework::Control& control, ThemeLibrary& library);

private:
    ThemeLibrary& library_;
    std::vector<std::unique_ptr<ThemedControl>> controlsQ_;
};

} // namespace nidora::controls
