#include "views/FormWindow.h"

#include "framework/Beep.h"
#include "framework/WindowEvent.h"
#include "views/FieldHistory.h"

#include <algorithm>
#include <stdexcept>

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

void FormWindow::enableHistory(const QStringList& controls)
{
    const data::FileDesc& file = access().desc();
    for (const QString& name : controls) {
        framework::Control* shown = control(name);
        const data::FieldDesc* field = name.startsWith(QLatin1Char('?')) ? file.field(name.mid(1)) : nullptr;
        if (!shown || !field)
            throw std::invalid_argument(
                "no control of a field of " + file.label.toStdString() + " named " + name.toStdString());
        history_.emplace_back(shown, field);
    }
    addAlertKey(kHistoryKey);
}

bool FormWindow::onSetUp()
{
    if (!DataWindow::onSetUp())
        return false;
    // The record is in the buffer already (primed or loaded by the caller): the session keeps
    // its copy to tell later whether anything changed, and the form's history as it is now.
    session_.emplace(data().relation(primaryFile()), std::uint8_t(request()), captions_,
        history_.empty() ? nullptr : &FieldHistory::of(thread()));
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

int FormWindow::onFieldEvent(framework::Control& control, const framework::ThreadEvent& event)
{
    if (event.code == framework::event::AlertKey && event.value.toInt() == kHistoryKey && !history_.empty())
        return recall(control);
    return DataWindow::onFieldEvent(control, event);
}

int FormWindow::recall(framework::Control& control)
{
    const auto enabled = std::find_if(
        history_.begin(), history_.end(), [&](const auto& entry) { return entry.first == &control; });
    if (enabled == history_.end() || !session_->recall(*enabled->second)) {
        framework::beep();
        return Consumed;
    }
    control.displayAsTyped();
    return Consumed;
}

int FormWindow::onWindowEvent(const framework::ThreadEvent& event)
{
    if (event.code == framework::event::CloseWindow)
        return cancel();
    return Window::onWindowEvent(event);
}

} // namespace nidora::views
