#pragma once

#include "core/Decimal.h"
#include "core/Picture.h"
#include "core/PictureInput.h"
#include "framework/Control.h"

#include <QLineEdit>

#include <concepts>
#include <cstdint>
#include <functional>
#include <utility>

namespace nidora::framework {

// How an entry shows its variable through its picture and reads typed text back into it.
struct EntryValue {
    std::function<QString(const Picture&)> show;
    // Stores what the text means; a refusal leaves the variable as it was.
    std::function<InputError(const Picture&, QStringView)> take;
};

EntryValue entryValue(QString& variable);
EntryValue entryValue(double& variable);
EntryValue entryValue(Decimal& variable, DecimalType type);
// A DECIMAL field as the records hold it: a count of units of its type's places.
EntryValue decimalEntryValue(std::int64_t& units, DecimalType type);
EntryValue integerEntryValue(std::function<std::int64_t()> load, std::function<bool(std::int64_t)> store);

// A BYTE, SHORT or LONG variable: a number, a day number or a time, as the picture says. A
// value the variable cannot hold is refused as too many digits.
template <std::integral T> EntryValue entryValue(T& variable)
{
    return integerEntryValue([&variable] { return static_cast<std::int64_t>(variable); },
        [&variable](std::int64_t value) {
            if (!std::in_range<T>(value))
                return false;
            variable = static_cast<T>(value);
            return true;
        });
}

// A line of typed input shown and read through its picture. Finishing with it (Enter, or
// leaving it after a change) raises an accepted event; when the text is no value of the picture
// the window says why and keeps the focus on it.
class EntryControl final : public Control {
public:
    EntryControl(const Picture& picture, EntryValue value);
    // The picture by its text ("@s30", "@n-7.2"); an unknown picture is a programming error.
    EntryControl(const QString& picture, EntryValue value);

    bool holdsData() const override { return true; }
    void display() override;
    void displayAsTyped() override;
    InputError commit() override;
    void keepUnread() override;

    const Picture& picture() const { return picture_; }
    QString text() const;
    void setReadOnly(bool readOnly);

private:
    QLineEdit* edit_;
    Picture picture_;
    EntryValue value_;
};

} // namespace nidora::framework
