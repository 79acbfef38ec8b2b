#pragma once

#include "framework/Control.h"
#include "framework/TypedChoice.h"
#include "framework/ValueBinding.h"

#include <QComboBox>
#include <QStringList>

namespace nidora::framework {

// A line of text with a list of texts that drops down to pick from. Picking a row puts its text
// in the line; what the line holds is the value, so a value on no row still shows. Finishing
// with the line (Enter, a pick, leaving it after a change) raises an accepted event. The list
// only offers: typing adds no row to it.
class ComboControl final : public Control {
public:
    // width: the most characters the text holds; rowsShown: the rows the dropped list shows;
    // kind: a combo box, or a drop combo box (an entry whose typed text is matched among the
    // choices, pickTypedChoice).
    ComboControl(int width, int rowsShown, ValueBinding binding, ControlKind kind = ControlKind::Combo);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;

    void setChoices(const QStringList& texts);
    QStringList choices() const;
    QString text() const;
    // Matches the text in the line among the choices (matchTypedChoice), leaves in the line and
    // in the variable the choice it came to, or nothing when none matched, and says which.
    TypedChoice pickTypedChoice();

private:
    QComboBox* combo_;
    ValueBinding binding_;
};

} // namespace nidora::framework
