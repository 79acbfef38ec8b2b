#include "views/FormWindow.h"

#include "framework/WindowEvent.h"

namespace nidora::views {
namespace {

using framework::handled::Consumed;
using framework::handled::EndLoop;

} // namespace

FormWindow::FormWindow(QString procedureName, data::FileId file, FormCaptions captions)
    : DataWindow(std::move(procedureName), file)
    , captions_(std::move(captions))
{
}

framework::ButtonControl& FormWindow::addOk(
    const QString& name, const framework::DialogRect& at, const QString& text, const QString& icon)
{
    framework::ButtonControl& made = add<framework::ButtonControl>(name, at, text, icon);
    made.setDefault(true);
    setOkControl(&made);
    return made;
}

framework::ButtonControl& FormWindow::addCancel(
    const QString& name, const framework::DialogRect& at, const QString& text, const QString& icon)
{
    cancel_ = &add<framework::ButtonControl>(name, at, text, icon);
    return *cancel_;
}

bool FormWindow::onSetUp()
{
    if (!DataWindow::onSetUp())
        return false;
    // The record is in the buffer already (primed or loaded by the caller): the session keeps
    // its copy to tell later whether anything changed.
    session_.emplace(data().relation(primaryFile()), std::uint8_t(request()), captions_);
    return true;
}

void FormWindow::onOpened()
{
    display();
    setCaption(session_->caption());
    DataWindow::onOpened();
}

int FormWindow::follow(const FormStep& step)
{
    if (step.closes) {
        setResponse(step.response);
        return EndLoop;
    }
    if (step.showStoredRecord)
        display();
    if (step.focusFirstControl)
        select(firstControl());
    return Consumed;
}

int FormWindow::ok()
{
    if (!session_->okSaves()) // viewing: OK only closes, and the form answers 2
        return follow(FormStep { true, Cancelled, false });
    const std::uint8_t asked = session_->request();
    if (asked == InsertRecord || asked == ChangeRecord) {
        if (!acceptAll())
            return Consumed;
        // A field the rules refuse keeps the form open before anything is written.
        const bool writes = asked == InsertRecord || session_->changed();
        if (writes && access().validateRecord() != data::AccessResult::Ok) {
            select(firstControl());
            return Consumed;
        }
    }
    return follow(session_->ok());
}

int FormWindow::cancel()
{
    return follow(session_->cancel());
}

int FormWindow::onAccepted(framework::Control& control)
{
    if (&control == okControl())
        return ok();
    if (&control == cancel_)
        return cancel();
    return DataWindow::onAccepted(control);
}

int FormWindow::onWindowEvent(const framework::ThreadEvent& event)
{
    if (event.code == framework::event::CloseWindow)
        return cancel();
    return Window::onWindowEvent(event);
}

} // namespace nidora::views
