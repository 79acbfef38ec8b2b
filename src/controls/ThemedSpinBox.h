#pragma once

#include "controls/ThemedControl.h"

namespace nidora::controls {

// A spin box's frame with its up and down buttons in the theme's spin buttons, the one under
// the pointer hot.
class ThemedSpinBox final : public ThemedControl {
public:
    using ThemedControl::ThemedControl;
    bool init(framework::Control& control) override;
    void draw(QPainter& painter) override;
    // Both buttons back to normal once the pointer has left the control.
    void updateHotState() override;

    int upButtonState() const { return upState_; }
    int downButtonState() const { return downState_; }

protected:
    bool takeMessage(QObject* watched, QEvent* event) override;

private:
    QRect buttonRect(bool up) const;
    void clearHot();
    // Makes the button under the point (in the control) hot.
    void hitTest(const QPoint& at);

    int spinTheme_ = 0;
    int upState_ = 0;
    int downState_ = 0;
};

} // namespace nidora::controls
