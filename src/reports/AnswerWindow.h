#pragma once

#include "framework/Window.h"

namespace nidora::framework {
class ButtonControl;
}

// A small window of the preview that asks something and ends with OK or Cancel: OK takes the
// answer from its controls (and may refuse, staying open), Cancel or closing it answers nothing.
namespace nidora::reports {

class AnswerWindow : public framework::Window {
protected:
    AnswerWindow(const QString& procedure, const QString& caption, int width, int height);

    // OK (and Cancel, unless `withCancel` is false) at the window's bottom right.
    void addAnswerButtons(const QString& okTip = {}, bool withCancel = true, const QString& cancelTip = {});
    // Runs the window: true when it ended with an answer taken.
    bool answered() { return run() == Completed; }

    // On OK: takes the answer; false keeps the window open.
    virtual bool takeAnswer() = 0;
    // Any other control the user finished with.
    virtual int onOtherAccepted(framework::Control&) { return framework::handled::GoOn; }

private:
    int onAccepted(framework::Control& control) final;

    int width_;
    int height_;
    framework::ButtonControl* ok_ = nullptr;
    framework::ButtonControl* cancel_ = nullptr;
};

} // namespace nidora::reports
