#include "core/PictureInput.h"

#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/Date.h"
#include "core/PictureFormat.h"

#include <QStringList>

namespace nidora {

namespace {

bool allDigits(QStringView text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Thousands separators are taken only between groups of three digits.
std::optional<QString> withoutSeparators(QStringView integer)
{
    if (!integer.contains(u','))
        return integer.toString();
    const QStringList groups = integer.toString().split(u',');
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const qsizetype size = groups[i].size();
        if (!allDigits(groups[i]) || size > 3 || (i > 0 && size != 3))
            return std::nullopt;
    }
    return groups.join(QString());
}

// The typed number exactly, at the picture's places.
Parsed<Decimal> readNumber(const Picture& picture, QStringView typed)
{
    QStringView text = typed.trimmed();
    if (!picture.suffix.isEmpty() && text.endsWith(picture.suffix, Qt::CaseInsensitive))
        text = text.chopped(picture.suffix.size()).trimmed();
    if (text.isEmpty())
        return { Decimal(0, picture.places) };

    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    const qsizetype point = text.indexOf(u'.');
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    const std::optional<QString> integer = withoutSeparators(point < 0 ? text : text.left(point));
    if (!integer || (integer->isEmpty() && fraction.isEmpty())
        || (!integer->isEmpty() && !allDigits(*integer)) || (!fraction.isEmpty() && !allDigits(fraction)))
        return { {}, InputError::NotANumber };

    const QString plain
        = (negative ? QStringLiteral("-") : QString()) + *integer + u'.' + fraction.toString();
    const std::optional<Decimal> value = Decimal::parse(plain);
    if (!value)
        return { {}, InputError::TooManyDigits };
    if (value->units() < 0 && !picture.allowsNegative)
        return { {}, InputError::NegativeNotAllowed };
    const std::optional<Decimal> atPlaces = value->rescaled(picture.places);
    if (!atPlaces)
        return { {}, InputError::TooManyDigits };
    if (*atPlaces != *value)
        return { {}, InputError::TooManyDecimals };
    if (!numberFits(picture, *atPlaces))
        return { {}, InputError::TooManyDigits };
    return { *atPlaces };
}

int yearOfTwoDigits(int twoDigits)
{
    const int thisYear = dateParts(Clock::today()).year;
    int year = thisYear / 100 * 100 + twoDigits;
    if (year > thisYear + 20)
        year -= 100;
    else if (year <= thisYear - 80)
        year += 100;
    return year;
}

Parsed<std::int64_t> dateOf(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return { 0, InputError::InvalidDate };
    const Date date = makeDate(year, month, day);
    return date == noDate ? Parsed<std::int64_t> { 0, InputError::InvalidDate }
                          : Parsed<std::int64_t> { date };
}

int yearOf(QStringView digits)
{
    return digits.size() == 2 ? yearOfTwoDigits(digits.toInt()) : digits.size() == 4 ? digits.toInt() : 0;
}

// d/m/yy or d/m/yyyy, with "/", "-" or "." between the parts.
Parsed<std::int64_t> readNumericDate(QStringView text)
{
    for (QChar separator : { u'/', u'-', u'.' }) {
        const QList<QStringView> parts = text.split(separator);
        if (parts.size() != 3)
            continue;
        const bool shapeOk = allDigits(parts[0]) && parts[0].size() <= 2 && allDigits(parts[1])
            && parts[1].size() <= 2 && allDigits(parts[2]) && (parts[2].size() == 2 || parts[2].size() == 4);
        if (!shapeOk)
            break;
        return dateOf(yearOf(parts[2]), parts[1].toInt(), parts[0].toInt());
    }
    return { 0, InputError::InvalidDate };
}

// "January 1, 1801", "jan 1 1801": the month's full name or its first three letters or more.
Parsed<std::int64_t> readNamedDate(QStringView text)
{
    const QStringList words = text.toString().replace(u',', u' ').split(u' ', Qt::SkipEmptyParts);
    if (words.size() != 3 || words[0].size() < 3 || !allDigits(words[1]) || words[1].size() > 2
        || !allDigits(words[2]) || (words[2].size() != 2 && words[2].size() != 4))
        return { 0, InputError::InvalidDate };
    for (int month = 1; month <= 12; ++month) {
        if (englishMonthName(month).startsWith(words[0], Qt::CaseInsensitive))
            return dateOf(yearOf(words[2]), month, words[1].toInt());
    }
    return { 0, InputError::InvalidDate };
}

Parsed<std::int64_t> readDate(const Picture& picture, QStringView typed)
{
    const QStringView text = typed.trimmed();
    if (text.isEmpty())
        return { noDate };
    const bool named = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    if (named)
        return picture.dateStyle == Picture::DateStyle::MonthNameDayYear
            ? readNamedDate(text)
            : Parsed<std::int64_t> { 0, InputError::InvalidDate };
    return readNumericDate(text);
}

// h, h:m, hh:mm (":" or "."), or hmm / hhmm.
Parsed<std::int64_t> readTime(QStringView typed)
{
    const QStringView text = typed.trimmed();
    if (text.isEmpty())
        return { noTime };
    QStringView hours = text;
    QStringView minutes;
    const qsizetype separator = std::max(text.indexOf(u':'), text.indexOf(u'.'));
    if (separator >= 0) {
        hours = text.left(separator);
        minutes = text.mid(separator + 1);
        if (!allDigits(minutes) || minutes.size() > 2)
            return { 0, InputError::InvalidTime };
    } else if (text.size() > 2) {
        hours = text.left(text.size() - 2);
        minutes = text.right(2);
    }
    if (!allDigits(hours) || hours.size() > 2 || (!minutes.isEmpty() && !allDigits(minutes)))
        return { 0, InputError::InvalidTime };
    const Time time = makeTime(hours.toInt(), minutes.isEmpty() ? 0 : minutes.toInt());
    return time == noTime ? Parsed<std::int64_t> { 0, InputError::InvalidTime }
                          : Parsed<std::int64_t> { time };
}

// The digits typed into a pattern, with the pattern's own characters and spaces left out.
Parsed<std::int64_t> readPattern(const Picture& picture, QStringView typed)
{
    QString digits;
    for (QChar c : typed) {
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (c != u' ' && (c == u'#' || c == u'<' || !picture.pattern.contains(c)))
            return { 0, InputError::NotANumber };
    }
    const qsizetype positions = picture.pattern.count(u'#') + picture.pattern.count(u'<');
    if (digits.size() > positions)
        return { 0, InputError::TooManyDigits };
    return { digits.isEmpty() ? 0 : digits.toLongLong() };
}

// A number typed where a text picture shows it: plain digits, a sign and a point.
Parsed<Decimal> readPlainNumber(QStringView typed)
{
    if (typed.trimmed().isEmpty())
        return { Decimal() };
    const std::optional<Decimal> value = Decimal::parse(typed);
    return value ? Parsed<Decimal> { *value } : Parsed<Decimal> { {}, InputError::NotANumber };
}

Parsed<Decimal> readAnyNumber(const Picture& picture, QStringView text)
{
    switch (picture.kind) {
    case Picture::Kind::Number:
        return readNumber(picture, text);
    case Picture::Kind::Text:
        return readPlainNumber(text);
    case Picture::Kind::Date:
    case Picture::Kind::Time:
    case Picture::Kind::Pattern:
        break;
    }
    const Parsed<std::int64_t> whole = parseLong(picture, text);
    return { Decimal(whole.value, 0), whole.error };
}

} // namespace

QString inputErrorText(InputError error)
{
    switch (error) {
    case InputError::None:
        return QString();
    case InputError::NotANumber:
        return QStringLiteral("Número no válido");
    case InputError::NegativeNotAllowed:
        return QStringLiteral("Aquí no se admiten números negativos");
    case InputError::TooManyDigits:
        return QStringLiteral("El número es demasiado grande");
    case InputError::TooManyDecimals:
        return QStringLiteral("Demasiados decimales");
    case InputError::InvalidDate:
        return QStringLiteral("Fecha no válida");
    case InputError::InvalidTime:
        return QStringLiteral("Hora no válida");
    case InputError::UnsupportedCharacter:
        return QStringLiteral("El texto tiene caracteres que no pueden guardarse");
    }
    return QString();
}

Parsed<std::int64_t> parseLong(const Picture& picture, QStringView text)
{
    switch (picture.kind) {
    case Picture::Kind::Date:
        return readDate(picture, text);
    case Picture::Kind::Time:
        return readTime(text);
    case Picture::Kind::Pattern:
        return readPattern(picture, text);
    case Picture::Kind::Number:
    case Picture::Kind::Text:
        break;
    }
    const Parsed<Decimal> number = readAnyNumber(picture, text);
    if (!number.ok())
        return { 0, number.error };
    const std::optional<Decimal> whole = number.value.rescaled(0);
    if (!whole || *whole != number.value)
        return { 0, whole ? InputError::TooManyDecimals : InputError::TooManyDigits };
    return { whole->units() };
}

Parsed<Decimal> parseDecimal(const Picture& picture, QStringView text, DecimalType type)
{
    const Parsed<Decimal> number = readAnyNumber(picture, text);
    if (!number.ok())
        return number;
    const std::optional<Decimal> stored = type.fit(number.value);
    if (!stored)
        return { {}, InputError::TooManyDigits };
    if (*stored != number.value)
        return { {}, InputError::TooManyDecimals };
    return { *stored };
}

Parsed<double> parseReal(const Picture& picture, QStringView text)
{
    const Parsed<Decimal> number = readAnyNumber(picture, text);
    return { number.ok() ? number.value.toDouble() : 0.0, number.error };
}

Parsed<QString> parseText(const Picture& picture, QStringView text)
{
    if (picture.kind != Picture::Kind::Text) {
        const Parsed<Decimal> number = readAnyNumber(picture, text);
        return { number.ok() ? number.value.toString() : QString(), number.error };
    }
    const QString kept = text.left(picture.width).toString();
    if (!cp1252::representable(kept))
        return { QString(), InputError::UnsupportedCharacter };
    return { kept };
}

} // namespace nidora
