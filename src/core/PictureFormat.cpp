#include "core/PictureFormat.h"

#include "core/Date.h"

#include <cmath>

namespace nidora {

namespace {

QString blank(const Picture& picture)
{
    const qsizetype suffix = picture.kind == Picture::Kind::Number ? picture.suffix.size() : 0;
    return QString(picture.width + suffix, u' ');
}

QString overflow(const Picture& picture)
{
    const QString hashes(picture.width, u'#');
    return picture.kind == Picture::Kind::Number ? hashes + picture.suffix : hashes;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString groupThousands(const QString& digits)
{
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u',';
        grouped += digits[i];
    }
    return grouped;
}

// The decimal digits of a value's magnitude, so that the most negative units still print.
QString magnitudeDigits(std::int64_t units)
{
    return QString::number(units < 0 ? 0 - std::uint64_t(units) : std::uint64_t(units));
}

// The number as its picture shows it, or nothing when it does not fit the width.
std::optional<QString> numberText(const Picture& picture, const Decimal& value)
{
    const std::optional<Decimal> shown = value.rescaled(picture.places);
    if (!shown)
        return std::nullopt;
    if (shown->isZero() && picture.blankWhenZero)
        return blank(picture);

    QString digits = magnitudeDigits(shown->units());
    if (digits.size() <= picture.places)
        digits = QString(picture.places + 1 - digits.size(), u'0') + digits;
    QString body = digits.left(digits.size() - picture.places);
    if (picture.fill == Picture::Fill::Grouped)
        body = groupThousands(body);
    if (picture.places > 0)
        body += u'.' + digits.right(picture.places);

    const QString sign = shown->units() < 0 ? QStringLiteral("-") : QString();
    const qsizetype padding = picture.width - sign.size() - body.size();
    if (padding < 0)
        return std::nullopt;
    const QString shownText = picture.fill == Picture::Fill::Zeros ? sign + QString(padding, u'0') + body
                                                                   : QString(padding, u' ') + sign + body;
    return shownText + picture.suffix;
}

QString formatNumber(const Picture& picture, const Decimal& value)
{
    return numberText(picture, value).value_or(overflow(picture));
}

QString formatDate(const Picture& picture, std::int64_t value)
{
    if (value == noDate)
        return blank(picture);
    const DateParts parts = value > 0 && value <= maxDate ? dateParts(Date(value)) : DateParts {};
    if (parts.year == 0)
        return overflow(picture);
    switch (picture.dateStyle) {
    case Picture::DateStyle::DayMonthYear:
        return twoDigits(parts.day) + u'/' + twoDigits(parts.month) + u'/' + QString::number(parts.year);
    case Picture::DateStyle::DayMonthShortYear:
        return twoDigits(parts.day) + u'/' + twoDigits(parts.month) + u'/' + twoDigits(parts.year % 100);
    case Picture::DateStyle::MonthNameDayYear:
        return QStringLiteral("%1 %2, %3").arg(englishMonthName(parts.month)).arg(parts.day).arg(parts.year);
    }
    return overflow(picture);
}

QString formatTime(const Picture& picture, std::int64_t value)
{
    if (value == noTime)
        return blank(picture);
    if (value < midnight || value > maxTime)
        return overflow(picture);
    const TimeParts parts = timeParts(Time(value));
    return twoDigits(parts.hour) + u':' + twoDigits(parts.minute);
}

// Digit positions fill from the right; past the value's digits "#" shows 0 and "<" a blank.
QString formatPattern(const Picture& picture, std::int64_t value)
{
    const QString digits = value < 0 ? QString() : QString::number(value);
    const qsizetype positions = picture.pattern.count(u'#') + picture.pattern.count(u'<');
    QString shown = picture.pattern;
    if (value < 0 || digits.size() > positions) {
        shown.replace(u'<', u'#');
        return shown;
    }
    qsizetype next = digits.size() - 1;
    for (qsizetype i = shown.size() - 1; i >= 0; --i) {
        const QChar position = shown[i];
        if (position != u'#' && position != u'<')
            continue;
        if (next >= 0)
            shown[i] = digits[next--];
        else
            shown[i] = position == u'#' ? u'0' : u' ';
    }
    return shown;
}

} // namespace

QString formatLong(const Picture& picture, std::int64_t value)
{
    switch (picture.kind) {
    case Picture::Kind::Text:
        return QString::number(value).left(picture.width);
    case Picture::Kind::Number:
        return formatNumber(picture, Decimal(value, 0));
    case Picture::Kind::Date:
        return formatDate(picture, value);
    case Picture::Kind::Time:
        return formatTime(picture, value);
    case Picture::Kind::Pattern:
        return formatPattern(picture, value);
    }
    return overflow(picture);
}

QString formatDecimal(const Picture& picture, const Decimal& value)
{
    switch (picture.kind) {
    case Picture::Kind::Text:
        return value.toString().left(picture.width);
    case Picture::Kind::Number:
        return formatNumber(picture, value);
    case Picture::Kind::Date:
    case Picture::Kind::Time:
    case Picture::Kind::Pattern:
        break;
    }
    const std::optional<Decimal> whole = value.rescaled(0);
    return whole ? formatLong(picture, whole->units()) : overflow(picture);
}

QString formatReal(const Picture& picture, double value)
{
    if (picture.kind == Picture::Kind::Text)
        return QString::number(value, 'g', 15).left(picture.width);
    const int places = picture.kind == Picture::Kind::Number ? picture.places : 0;
    const std::optional<Decimal> exact = Decimal::fromDouble(value, places);
    return exact ? formatDecimal(picture, *exact) : overflow(picture);
}

QString formatText(const Picture& picture, const QString& text)
{
    if (picture.kind == Picture::Kind::Text)
        return text.left(picture.width);
    const std::optional<Decimal> number = Decimal::parse(text);
    return number ? formatDecimal(picture, *number) : text;
}

bool numberFits(const Picture& picture, const Decimal& value)
{
    return numberText(picture, value).has_value();
}

QString englishMonthName(int month)
{
    static const char* const names[] = { "January", "February", "March", "April", "May", "June", "July",
        "August", "September", "October", "November", "December" };
    return month >= 1 && month <= 12 ? QString::fromLatin1(names[month - 1]) : QString();
}

} // namespace nidora
