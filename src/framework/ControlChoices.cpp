#include "framework/ControlChoices.h"

#include "framework/ControlLabels.h"
#include "framework/WindowEvent.h"

namespace nidora::framework {

CheckControl::CheckControl(
    const QString& text, ValueBinding binding, QVariant checkedValue, QVariant clearedValue)
    : Control(ControlKind::Check, new QCheckBox(text))
    , box_(static_cast<QCheckBox*>(widget()))
    , binding_(std::move(binding))
    , checked_(std::move(checkedValue))
    , cleared_(std::move(clearedValue))
{
    QObject::connect(box_, &QCheckBox::clicked, box_, [this] {
        touched_ = true;
        post(event::Accepted);
    });
    display();
}

void CheckControl::display()
{
    const QVariant value = binding_.load();
    touched_ = value == checked_ || value == cleared_;
    box_->setChecked(value == checked_);
}

InputError CheckControl::commit()
{
    if (touched_)
        binding_.store(box_->isChecked() ? checked_ : cleared_);
    return InputError::None;
}

bool CheckControl::isChecked() const
{
    return box_->isChecked();
}

RadioControl::RadioControl(const QString& text, QVariant value, const QString& icon)
    : Control(ControlKind::Radio, new QRadioButton(text))
    , button_(static_cast<QRadioButton*>(widget()))
    , value_(std::move(value))
{
    if (const QString found = findPictureFile(icon); !found.isEmpty())
        button_->setIcon(QIcon(found));
}

bool RadioControl::isChecked() const
{
    return button_->isChecked();
}

void RadioControl::setChecked(bool checked)
{
    button_->setChecked(checked);
}

OptionControl::OptionControl(const QString& text, ValueBinding binding)
    : Control(ControlKind::Option, new QGroupBox(text))
    , box_(static_cast<QGroupBox*>(widget()))
    , binding_(std::move(binding))
{
    group_.setExclusive(true);
    QObject::connect(&group_, &QButtonGroup::buttonClicked, box_, [this] { post(event::Accepted); });
}

void OptionControl::adopt(Control& child, const QRect& pixels)
{
    Control::adopt(child, pixels);
    if (auto* radio = dynamic_cast<RadioControl*>(&child)) {
        radios_.push_back(radio);
        group_.addButton(static_cast<QAbstractButton*>(radio->widget()));
        radio->setChecked(radio->value() == binding_.load());
    }
}

void OptionControl::display()
{
    const QVariant value = binding_.load();
    // With no radio of the value, none is chosen: the exclusive group would keep the old one.
    group_.setExclusive(false);
    for (RadioControl* radio : radios_)
        radio->setChecked(radio->value() == value);
    group_.setExclusive(true);
}

InputError OptionControl::commit()
{
    for (RadioControl* radio : radios_)
        if (radio->isChecked())
            binding_.store(radio->value());
    return InputError::None;
}

DropListControl::DropListControl(std::vector<Choice> choices, ValueBinding binding)
    : Control(ControlKind::DropList, new QComboBox)
    , combo_(static_cast<QComboBox*>(widget()))
    , binding_(std::move(binding))
{
    combo_->setEditable(false);
    QObject::connect(combo_, &QComboBox::activated, combo_, [this] { post(event::Accepted); });
    setChoices(std::move(choices));
}

void DropListControl::setChoices(std::vector<Choice> choices)
{
    const QSignalBlocker quiet(combo_);
    combo_->clear();
    for (const auto& [text, value] : choices)
        combo_->addItem(text, value);
    display();
}

void DropListControl::display()
{
    combo_->setCurrentIndex(combo_->findData(binding_.load()));
}

InputError DropListControl::commit()
{
    if (combo_->currentIndex() >= 0)
        binding_.store(combo_->currentData());
    return InputError::None;
}

QString DropListControl::currentText() const
{
    return combo_->currentText();
}

} // namespace nidora::framework
