#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace nidora {

// A display picture, read from its text form ("@n-6.1", "@s30", "@D6", "@N3~a~") once and
// then used to format values and to read typed text back (PictureFormat.h, PictureInput.h).
//
//   @sN            text of N characters
//   @n[-][f]W[.P][b][~text~]
//                  a number right-aligned in W characters (sign, separators and point
//                  included) with P decimals. "-" allows negative input. The fill f is "0"
//                  (leading zeros), "_" (leading blanks) or "*"/none (leading blanks, integer
//                  digits grouped by thousands with ","). "b" shows zero as blanks. ~text~ is
//                  shown after the number, outside the W characters.
//   @D6, @d6       dd/mm/yyyy        @D5  dd/mm/yy       @d4  "January 1, 1801"
//   @T1            hh:mm on 24 hours
//   @p...p         a pattern: "#" a digit, "<" a digit shown as a blank when it is a leading
//                  zero, anything else shown as it stands ("@pPág. <<<#p").
// Letters are read without regard to case.
struct Picture {
    enum class Kind { Text, Number, Date, Time, Pattern };
    enum class Fill { Grouped, Zeros, Blanks };
    enum class DateStyle { DayMonthYear, DayMonthShortYear, MonthNameDayYear };

    Kind kind = Kind::Text;
    // Characters of the value: N of a text, W of a number, the digit and literal positions of
    // a pattern, the width of a date or time (for @d4, whose width varies, the widest).
    int width = 0;

    // Numbers.
    int places = 0;
    bool allowsNegative = false;
    Fill fill = Fill::Grouped;
    bool blankWhenZero = false;
    QString suffix;

    DateStyle dateStyle = DateStyle::DayMonthYear;

    // Patterns: the pattern between "@p" and the closing "p".
    QString pattern;

    friend bool operator==(const Picture&, const Picture&) = default;
};

// The picture a text spells, or nothing when the text is no picture this program knows.
std::optional<Picture> parsePicture(QStringView text);

// The picture at the start of text, which may go on (as in a list's column format
// "@n7.3@30R(1)"); length receives how many characters the picture took.
std::optional<Picture> parsePicturePrefix(QStringView text, qsizetype& length);

} // namespace nidora
