#pragma once

#include "core/Picture.h"
#include "framework/Control.h"
#include "framework/ValueBinding.h"

namespace nidora::framework {

// A spin box that shows and reads its number through a picture (a time as hh:mm, a date), in
// the units its variable stores, stepping by so many of them. Blank text is 0, shown blank.
// Finishing with it (Enter, or leaving it after a change) raises an accepted event.
class PictureSpinControl final : public Control {
public:
    // An unknown picture is a programming error (std::invalid_argument).
    PictureSpinControl(const QString& picture, ValueBinding binding, int lowest, int highest, int step);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;
    void keepUnread() override;

    int value() const;
    QString text() const;

private:
    class Box;

    Box* box_;
    ValueBinding binding_;
};

} // namespace nidora::framework
