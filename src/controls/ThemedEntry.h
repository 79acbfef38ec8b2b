#pragma once

#include "controls/ThemedControl.h"

namespace nidora::controls {

// An entry's frame in the theme's edit frame, in the entry's state.
class ThemedEntry final : public ThemedControl {
public:
    using ThemedControl::ThemedControl;
    bool init(framework::Control& control) override;
};

} // namespace nidora::controls
