#include "framework/ControlEdits.h"

#include "framework/WindowEvent.h"

namespace nidora::framework {

TextControl::TextControl(ValueBinding binding)
    : Control(ControlKind::Text, new QPlainTextEdit)
    , edit_(static_cast<QPlainTextEdit*>(widget()))
    , binding_(std::move(binding))
{
    display();
}

void TextControl::display()
{
    edit_->setPlainText(binding_.load().toString());
}

InputError TextControl::commit()
{
    binding_.store(edit_->toPlainText());
    return InputError::None;
}

QString TextControl::text() const
{
    return edit_->toPlainText();
}

void TextControl::setReadOnly(bool readOnly)
{
    edit_->setReadOnly(readOnly);
}

SpinControl::SpinControl(ValueBinding binding, int lowest, int highest, int step)
    : Control(ControlKind::Spin, new QSpinBox)
    , spin_(static_cast<QSpinBox*>(widget()))
    , binding_(std::move(binding))
{
    spin_->setRange(lowest, highest);
    spin_->setSingleStep(step);
    QObject::connect(spin_, &QSpinBox::editingFinished, spin_, [this] { post(event::Accepted); });
    display();
}

void SpinControl::display()
{
    spin_->setValue(binding_.load().toInt());
}

InputError SpinControl::commit()
{
    binding_.store(spin_->value());
    return InputError::None;
}

int SpinControl::value() const
{
    return spin_->value();
}

} // namespace nidora::framework
