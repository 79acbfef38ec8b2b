#pragma once

#include "core/Decimal.h"
#include "core/Picture.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// Typed text read back through a picture into the value a field stores. What is not a value
// of the picture is refused with a reason the form can show; what people commonly type is
// taken:
// - spaces around the value; blank text is 0 (no value) for numbers, dates and times;
// - numbers: thousands separators (only where they belong, so "3,5" is refused rather than
//   read as 35), a missing or shorter fraction, the picture's suffix; more digits than the
//   picture shows and more decimals than it has are refused, and so is a minus sign unless
//   the picture has "-";
// - dates: d/m/yy or d/m/yyyy (also with "-" or "." between), and for @d4 also
//   "January 1, 1801" with the month's full or shortened name. A two-digit year falls in
//   the hundred years from 79 years before the current year to 20 after it (in 2026, 47 is
//   1947 and 46 is 2046). Days past the month's end are refused, not run on;
// - times: h, h:m, hh:mm (also with "."), and hmm or hhmm without a separator.
namespace nidora {

enum class InputError {
    None,
    NotANumber,
    NegativeNotAllowed,
    TooManyDigits,
    TooManyDecimals,
    InvalidDate,
    InvalidTime,
    UnsupportedCharacter,
};

// The reason, as the entry shows it to the user.
QString inputErrorText(InputError error);

template <typename T> struct Parsed {
    T value {};
    InputError error = InputError::None;

    bool ok() const { return error == InputError::None; }
};

// An integer field: a number, a day number or a time, as the picture says.
Parsed<std::int64_t> parseLong(const Picture& picture, QStringView text);

// A DECIMAL field of the given type, exactly; refused when it does not fit the type.
Parsed<Decimal> parseDecimal(const Picture& picture, QStringView text, DecimalType type);

// A REAL field.
Parsed<double> parseReal(const Picture& picture, QStringView text);

// A STRING field: cut to a text picture's N characters; refused when it holds characters
// the data files cannot store. Through a number picture the text must be a number.
Parsed<QString> parseText(const Picture& picture, QStringView text);

} // namespace nidora
