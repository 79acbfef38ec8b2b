#include "framework/ControlEdits.h"

#include "framework/WindowEvent.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace nidora::framework {

TextControl::TextControl(ValueBinding binding)
    : Control(ControlKind::Text, new QPlainTextEdit)
    , edit_(static_cast<QPlainTextEdit*>(widget()))
    , binding_(std::move(binding))
{
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] { keepWithinLength(); });
    display();
}

void TextControl::display()
{
    const QString value = binding_.load().toString();
    edit_->setPlainText(maxLength_ > 0 ? value.left(maxLength_) : value);
}

void TextControl::setMaxLength(int characters)
{
    maxLength_ = std::max(0, characters);
    keepWithinLength();
}

void TextControl::keepWithinLength()
{
    if (maxLength_ <= 0)
        return;
    // The document counts one separator after its last block that the text does not hold.
    const int over = edit_->document()->characterCount() - 1 - maxLength_;
    if (over <= 0)
        return;
    // What was just typed or pasted stands before the cursor: that is what goes.
    QTextCursor cursor = edit_->textCursor();
    const int end = cursor.position() >= over ? cursor.position() : edit_->document()->characterCount() - 1;
    cursor.setPosition(end - over);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    edit_->setTextCursor(cursor);
    QApplication::beep();
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
