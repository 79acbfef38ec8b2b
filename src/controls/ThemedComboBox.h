#pragma once

#include "controls/ThemedControl.h"

#include <QPointer>

namespace nidora::controls {

// The frame of a drop list or a combo box with its drop button in the theme's combo button: hot
// under the pointer, disabled with the control. A click anywhere on a drop list (on a combo box,
// on its button) opens the list when it is closed and closes it when it is open; whether it is
// open is the list's own state, however it was closed (a row chosen, Escape, a click elsewhere).
class ThemedComboBox final : public ThemedControl {
public:
    using ThemedControl::ThemedControl;
    bool init(framework::Control& control) override;
    void kill() override;
    void draw(QPainter& painter) override;
    void updateHotState() override;

    int buttonState() const { return btnState_; }
    bool isDropped() const { return dropState_; }
    bool isCombo() const { return isCombo_; }
    int buttonWidth() const { return btnWidth_; }

protected:
    bool takeMessage(QObject* watched, QEvent* event) override;

private:
    QRect buttonRect() const;
    // Opens the list when it is closed, closes it when it is open.
    void toggleList();

    int comboTheme_ = 0;
    int btnState_ = 0;
    bool dropState_ = false;
    bool isCombo_ = false;
    int btnWidth_ = 0;
    QPointer<QWidget> popup_; // the dropped list's window, watched for its showing and hiding
};

} // namespace nidora::controls
