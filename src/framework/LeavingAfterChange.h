#pragma once

#include <QLineEdit>
#include <QObject>

#include <functional>

namespace nidora::framework {

// Leaving a line of typed text after changing it finishes it, as Enter does; losing the focus
// to another window (a message box shown meanwhile) or to a drop-down list does not, or a
// refused text would be refused again by the very message that says so. Owned by the edit.
class LeavingAfterChange final : public QObject {
public:
    // focusOwner: the widget that takes the focus for the line, when that is not the line
    // itself (a combo box holds the focus for its line and hands it the focus events directly,
    // past any filter of the line's).
    LeavingAfterChange(QLineEdit* edit, std::function<void()> finished, QWidget* focusOwner = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    std::function<void()> finished_;
};

} // namespace nidora::framework
