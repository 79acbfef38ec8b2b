#pragma once

#include "core/MessagePresenter.h"

#include <QMessageBox>
#include <QString>

namespace nidora::framework {

// Shows the error manager's messages as message boxes: a question with its buttons (Yes the
// default unless the request says otherwise), a notice with one OK button. The box is not
// modal: the calling logical thread waits for the answer while other threads' windows stay
// usable; the thread's own windows take no input meanwhile.
class MessageBoxPresenter final : public core::MessagePresenter {
public:
    core::Answer present(const core::MessageRequest& request) override;
};

// How one of the program's own messages looks: by default no caption, no icon and a single OK
// button.
struct MessageOptions {
    QString caption {};
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    core::MessageButtons buttons = core::MessageButtons::Ok;
    core::Answer defaultAnswer = core::Answer::Ok;
};

// Shows one of the program's own messages and waits for the answer on the calling logical
// thread. A box closed without a button (Escape, the close box, the thread asked to end)
// answers Cancel when it offers Cancel, No when it offers No, and OK otherwise.
core::Answer showMessage(const QString& text, const MessageOptions& options = {});

} // namespace nidora::framework
