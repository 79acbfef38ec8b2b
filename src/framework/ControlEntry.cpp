#include "framework/ControlEntry.h"

#include "core/PictureFormat.h"
#include "core/TextClip.h"
#include "framework/LeavingAfterChange.h"
#include "framework/WindowEvent.h"

#include <optional>
#include <stdexcept>

namespace nidora::framework {

namespace {

Picture pictureFrom(const QString& text)
{
    if (auto picture = parsePicture(text))
        return *picture;
    throw std::invalid_argument("unknown picture " + text.toStdString());
}

template <class T> InputError storeParsed(const Parsed<T>& parsed, T& variable)
{
    if (parsed.ok())
        variable = parsed.value;
    return parsed.error;
}

} // namespace

EntryValue entryValue(QString& variable)
{
    return EntryValue { [&variable](const Picture& picture) { return formatText(picture, variable); },
        [&variable](const Picture& picture, QStringView text) {
            return storeParsed(parseText(picture, text), variable);
        } };
}

EntryValue entryValue(double& variable)
{
    return EntryValue { [&variable](const Picture& picture) { return formatReal(picture, variable); },
        [&variable](const Picture& picture, QStringView text) {
            return storeParsed(parseReal(picture, text), variable);
        } };
}

EntryValue entryValue(Decimal& variable, DecimalType type)
{
    return EntryValue { [&variable](const Picture& picture) { return formatDecimal(picture, variable); },
        [&variable, type](const Picture& picture, QStringView text) {
            return storeParsed(parseDecimal(picture, text, type), variable);
        } };
}

EntryValue decimalEntryValue(std::int64_t& units, DecimalType type)
{
    return EntryValue { [&units, type](const Picture& picture) {
                           return formatDecimal(picture, Decimal(units, type.places));
                       },
        [&units, type](const Picture& picture, QStringView text) {
            const Parsed<Decimal> parsed = parseDecimal(picture, text, type);
            if (!parsed.ok())
                return parsed.error;
            const std::optional<Decimal> stored = parsed.value.rescaled(type.places);
            if (!stored)
                return InputError::TooManyDigits;
            units = stored->units();
            return InputError::None;
        } };
}

EntryValue integerEntryValue(std::function<std::int64_t()> load, std::function<bool(std::int64_t)> store)
{
    return EntryValue { [load](const Picture& picture) { return formatLong(picture, load()); },
        [store](const Picture& picture, QStringView text) {
            const Parsed<std::int64_t> parsed = parseLong(picture, text);
            if (!parsed.ok())
                return parsed.error;
            return store(parsed.value) ? InputError::None : InputError::TooManyDigits;
        } };
}

EntryControl::EntryControl(const Picture& picture, EntryValue value)
    : Control(ControlKind::Entry, new QLineEdit)
    , edit_(static_cast<QLineEdit*>(widget()))
    , picture_(picture)
    , value_(std::move(value))
{
    if (picture_.kind == Picture::Kind::Text)
        edit_->setMaxLength(picture_.width);
    if (picture_.kind == Picture::Kind::Number)
        edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Once finished, the text counts as unchanged: leaving it again raises nothing more.
    const auto finished = [this] {
        edit_->setModified(false);
        post(event::Accepted);
    };
    QObject::connect(edit_, &QLineEdit::returnPressed, edit_, finished);
    new LeavingAfterChange(edit_, finished);
    display();
}

EntryControl::EntryControl(const QString& picture, EntryValue value)
    : EntryControl(pictureFrom(picture), std::move(value))
{
}

void EntryControl::display()
{
    QString shown = value_.show(picture_);
    // Numbers are right-aligned by the line edit itself; the picture's padding would only get
    // in the way of typing.
    if (picture_.kind == Picture::Kind::Text)
        shown = clipped(shown);
    else
        shown = shown.trimmed();
    edit_->setText(shown);
}

void EntryControl::displayAsTyped()
{
    display();
    edit_->setModified(true);
}

InputError EntryControl::commit()
{
    // Taken (or refused) now, the text needs no second look when the focus leaves it.
    edit_->setModified(false);
    const InputError error = value_.take(picture_, edit_->text());
    if (error == InputError::None)
        display();
    return error;
}

void EntryControl::keepUnread()
{
    // Still unread: leaving it again refuses it again; it never stays as if taken.
    edit_->setModified(true);
}

QString EntryControl::text() const
{
    return edit_->text();
}

void EntryControl::setReadOnly(bool readOnly)
{
    edit_->setReadOnly(readOnly);
}

} // namespace nidora::framework
