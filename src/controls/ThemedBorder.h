#pragma once

#include "controls/ThemedControl.h"

namespace nidora::controls {

// The frame of a list or a text box: around its content, its heading and its scroll bars.
class ThemedBorder final : public ThemedControl {
public:
    using ThemedControl::ThemedControl;
    bool init(framework::Control& control) override;

    bool isText() const { return isText_; }

protected:
    QRect frameOf() const override;

private:
    bool isText_ = false;
};

} // namespace nidora::controls
