#pragma once

#include "framework/Control.h"

#include <QPushButton>

namespace nidora::framework {

// A push button; pressing it raises an accepted event.
class ButtonControl final : public Control {
public:
    explicit ButtonControl(const QString& text, const QString& iconFile = {});

    void setText(const QString& text);
    QString text() const;
    // The button Enter presses when the focus is on no other button.
    void setDefault(bool isDefault);

private:
    QPushButton* button_;
};

} // namespace nidora::framework
