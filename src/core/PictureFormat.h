#pragma once

#include "core/Decimal.h"
#include "core/Picture.h"

#include <QString>

#include <cstdint>

// Values shown through their pictures.
//
// - A value that does not fit its picture's width shows as that many '#' characters (a
//   number's suffix still follows).
// - A negative number shows its leading minus whether or not the picture has "-": showing
//   -5 as 5 would misstate the record. The "-" only governs what may be typed (PictureInput.h).
// - Blank (a zero number with "b", a zero date or time) is the picture's width in spaces,
//   with a number's suffix blanked too.
// - Dates and times out of their ranges show as '#', like any value that cannot be shown.
namespace nidora {

// An integer field (BYTE, SHORT, LONG): a number, a day number or a time, as the picture says.
QString formatLong(const Picture& picture, std::int64_t value);

// A DECIMAL field, exactly: rounded half away from zero to the picture's places.
QString formatDecimal(const Picture& picture, const Decimal& value);

// A REAL field, rounded to the picture's places.
QString formatReal(const Picture& picture, double value);

// A STRING field: cut to N characters by a text picture. Through any other picture a text
// that holds a number shows as that number, and other text as it stands.
QString formatText(const Picture& picture, const QString& text);

// True when a number picture can show the value within its width.
bool numberFits(const Picture& picture, const Decimal& value);

// "January" to "December".
QString englishMonthName(int month);

} // namespace nidora
