#include "reports/AnswerWindow.h"

#include "framework/ControlButton.h"

namespace nidora::reports {

using framework::DialogRect;

AnswerWindow::AnswerWindow(const QString& procedure, const QString& caption, int width, int height)
    : Window(procedure)
    , width_(width)
    , height_(height)
{
    setCaption(caption);
    setSize(width, height);
    setCentred();
}

void AnswerWindow::addAnswerButtons(const QString& okTip, bool withCancel, const QString& cancelTip)
{
    const int y = height_ - 18;
    ok_ = &add<framework::ButtonControl>(QStringLiteral("?OkButton"),
        DialogRect { width_ - (withCancel ? 110 : 55), y, 50, 14 }, QStringLiteral("OK"));
    ok_->setTip(okTip);
    ok_->setDefault(true);
    if (withCancel) {
        cancel_ = &add<framework::ButtonControl>(
            QStringLiteral("?CancelButton"), DialogRect { width_ - 55, y, 50, 14 }, QStringLiteral("Cancel"));
        cancel_->setTip(cancelTip);
    }
}

int AnswerWindow::onAccepted(framework::Control& control)
{
    if (&control == ok_) {
        if (!takeAnswer())
            return framework::handled::GoOn;
        setResponse(Completed);
        return framework::handled::EndLoop;
    }
    if (&control == cancel_) {
        setResponse(Cancelled);
        return framework::handled::EndLoop;
    }
    return onOtherAccepted(control);
}

} // namespace nidora::reports
