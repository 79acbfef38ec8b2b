#include "framework/ControlCombo.h"

#include "core/TextClip.h"
#include "framework/LeavingAfterChange.h"
#include "framework/WindowEvent.h"

#include <QLineEdit>

namespace nidora::framework {

ComboControl::ComboControl(int width, int rowsShown, ValueBinding binding, ControlKind kind)
    : Control(kind, new QComboBox)
    , combo_(static_cast<QComboBox*>(widget()))
    , binding_(std::move(binding))
{
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setMaxVisibleItems(rowsShown);
    QLineEdit* line = combo_->lineEdit();
    line->setMaxLength(width);
    const auto finished = [this, line] {
        line->setModified(false);
        post(event::Accepted);
    };
    // Enter on a text that names a row is reported by the combo as that row's pick; any other
    // text is finished by the line itself. Either way the line is finished once.
    QObject::connect(combo_, &QComboBox::activated, combo_, finished);
    QObject::connect(line, &QLineEdit::returnPressed, combo_, [this, line, finished] {
        if (combo_->findText(line->text(), Qt::MatchFixedString) < 0)
            finished();
    });
    new LeavingAfterChange(line, finished, combo_);
    display();
}

void ComboControl::display()
{
    combo_->setEditText(clipped(binding_.load().toString()));
}

InputError ComboControl::commit()
{
    combo_->lineEdit()->setModified(false);
    binding_.store(combo_->currentText());
    return InputError::None;
}

void ComboControl::setChoices(const QStringList& texts)
{
    const QSignalBlocker quiet(combo_);
    combo_->clear();
    combo_->addItems(texts);
    display();
}

QStringList ComboControl::choices() const
{
    QStringList texts;
    for (int row = 0; row < combo_->count(); ++row)
        texts << combo_->itemText(row);
    return texts;
}

QString ComboControl::text() const
{
    return combo_->currentText();
}

TypedChoice ComboControl::pickTypedChoice()
{
    const TypedChoice match = matchTypedChoice(choices(), text());
    if (match.outcome != TypedChoice::Outcome::Blank) {
        combo_->setEditText(match.text);
        commit();
    }
    return match;
}

} // namespace nidora::framework
