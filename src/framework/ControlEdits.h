#pragma once

#include "framework/Control.h"
#include "framework/ValueBinding.h"

#include <QPlainTextEdit>
#include <QSpinBox>

namespace nidora::framework {

// A memo of several lines, bound to a text variable. It takes only what its field can store:
// a character the Windows-1252 code page has no byte for is refused with a beep as it is typed
// or pasted, and so is what goes past its most characters.
class TextControl final : public Control {
public:
    explicit TextControl(ValueBinding binding);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;

    QString text() const;
    // A memo that only shows, in the window's colour so that it does not look as if it took
    // typing.
    void setReadOnly(bool readOnly);
    // The most characters the memo takes (a line break counts as one), as its field stores
    // them: what is typed or pasted past it is refused with a beep, a longer value is shown cut.
    // 0 takes any length.
    void setMaxLength(int characters);
    int maxLength() const { return maxLength_; }

private:
    // Takes out what was just typed or pasted that the field cannot store, with one beep.
    void keepStorable();
    bool dropUnstorableCharacters();
    bool cutToMaxLength();

    QPlainTextEdit* edit_;
    ValueBinding binding_;
    int maxLength_ = 0;
    bool mending_ = false;
};

// A number chosen with arrows or typed, in the units its variable stores, within a range and by
// a step.
class SpinControl final : public Control {
public:
    SpinControl(ValueBinding binding, int lowest, int highest, int step = 1);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;

    int value() const;

private:
    QSpinBox* spin_;
    ValueBinding binding_;
};

} // namespace nidora::framework
