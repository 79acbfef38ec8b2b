#include "framework/ControlEdits.h"

#include "core/Cp1252.h"
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
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] { keepStorable(); });
    display();
}

void TextControl::display()
{
    // What the variable holds was stored, or can be: it is shown, cut to the field, without a
    // beep.
    const QString value = binding_.load().toString();
    mending_ = true;
    edit_->setPlainText(maxLength_ > 0 ? value.left(maxLength_) : value);
    mending_ = false;
}

void TextControl::setMaxLength(int characters)
{
    maxLength_ = std::max(0, characters);
    keepStorable();
}

void TextControl::keepStorable()
{
    // Taking text out changes it again; that second round finds nothing more to take.
    if (mending_)
        return;
    mending_ = true;
    const bool dropped = dropUnstorableCharacters();
    const bool cut = cutToMaxLength();
    mending_ = false;
    if (dropped || cut)
        QApplication::beep();
}

bool TextControl::dropUnstorableCharacters()
{
    // The plain text has one character for each position of the document, a line break for
    // each block separator.
    const QString text = edit_->toPlainText();
    QTextCursor cursor(edit_->document());
    bool dropped = false;
    for (qsizetype at = text.size(); at-- > 0;) {
        unsigned char byte = 0;
        if (cp1252::fromUnicode(text[at], byte))
            continue;
        if (!dropped)
            cursor.beginEditBlock();
        dropped = true;
        cursor.setPosition(int(at));
        cursor.setPosition(int(at) + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (dropped)
        cursor.endEditBlock();
    return dropped;
}

bool TextControl::cutToMaxLength()
{
    if (maxLength_ <= 0)
        return false;
    // The document counts one separator after its last block that the text does not hold.
    const int over = edit_->document()->characterCount() - 1 - maxLength_;
    if (over <= 0)
        return false;
    // What was just typed or pasted stands before the cursor: that is what goes.
    QTextCursor cursor = edit_->textCursor();
    const int end = cursor.position() >= over ? cursor.position() : edit_->document()->characterCount() - 1;
    cursor.setPosition(end - over);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    edit_->setTextCursor(cursor);
    return true;
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
    QPalette colours = edit_->palette();
    const QPalette usual = QApplication::palette(edit_);
    colours.setColor(QPalette::Base, usual.color(readOnly ? QPalette::Window : QPalette::Base));
    edit_->setPalette(colours);
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
