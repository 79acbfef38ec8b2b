#include "framework/LeavingAfterChange.h"

#include <QFocusEvent>

namespace nidora::framework {

LeavingAfterChange::LeavingAfterChange(QLineEdit* edit, std::function<void()> finished, QWidget* focusOwner)
    : QObject(edit)
    , edit_(edit)
    , finished_(std::move(finished))
{
    (focusOwner ? focusOwner : edit)->installEventFilter(this);
}

bool LeavingAfterChange::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && edit_->isModified()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            finished_();
    }
    return false;
}

} // namespace nidora::framework
