#pragma once

#include "framework/Control.h"

#include <QLabel>
#include <QString>

#include <functional>
#include <vector>

// A window's status bar of several parts, each a sunken text, at the window's foot. The first
// part shows the status-bar message of the control under the mouse pointer.
namespace nidora::reports {

class StatusBarControl final : public framework::Control {
public:
    // The parts' widths in dialog units; the last part takes what is left.
    explicit StatusBarControl(std::vector<int> widths);

    void setText(int part, const QString& text);
    QString text(int part) const;
    // Shows message() in the first part while the pointer is over control.
    void showMessageOf(framework::Control& control, std::function<QString()> message);

protected:
    void attached() override;

private:
    std::vector<int> widths_;
    std::vector<QLabel*> parts_;
};

} // namespace nidora::reports
