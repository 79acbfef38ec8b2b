#include "core/Date.h"

namespace nidora {

namespace {

// Floor division and the matching non-negative remainder, so that run-on works the same
// way below zero as above it.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b)
{
    return a - floorDiv(a, b) * b;
}

// Days from 1 March of year 0 in the proleptic Gregorian calendar to the given date, for a
// month from 1 to 12. Counting from March puts the leap day at the end of the cycle.
constexpr std::int64_t civilDays(std::int64_t year, int month, int day)
{
    const std::int64_t y = year - (month <= 2);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const int shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

constexpr std::int64_t dayNumberBase = civilDays(1801, 1, 1) - 4;

// Month 13 of a year is month 1 of the next, month 0 is December of the one before.
constexpr void normaliseMonth(std::int64_t& year, std::int64_t& month)
{
    year += floorDiv(month - 1, 12);
    month = floorMod(month - 1, 12) + 1;
}

} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    std::int64_t y = year;
    std::int64_t m = month;
    normaliseMonth(y, m);
    static constexpr int lengths[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && isLeapYear(int(y)) ? 29 : lengths[m - 1];
}

Date makeDate(int year, int month, int day)
{
    std::int64_t y = year;
    std::int64_t m = month;
    normaliseMonth(y, m);
    const std::int64_t number = civilDays(y, int(m), 1) + day - 1 - dayNumberBase;
    return number >= 1 && number <= maxDate ? Date(number) : noDate;
}

DateParts dateParts(Date date)
{
    if (date < 1 || date > maxDate)
        return {};
    const std::int64_t days = std::int64_t(date) + dayNumberBase;
    const std::int64_t era = floorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = int(yearOfEra + era * 400 + (month <= 2));
    return { year, month, day };
}

int weekday(Date date)
{
    return date == noDate ? 0 : int(floorMod(std::int64_t(date) - 1, 7)) + 1;
}

QDate toQDate(Date date)
{
    const DateParts parts = dateParts(date);
    return parts.year == 0 ? QDate() : QDate(parts.year, parts.month, parts.day);
}

Date fromQDate(const QDate& date)
{
    return date.isValid() ? makeDate(date.year(), date.month(), date.day()) : noDate;
}

Time makeTime(int hour, int minute, int second, int hundredths)
{
    const bool valid = hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60
        && hundredths >= 0 && hundredths < 100;
    return valid ? ((hour * 60 + minute) * 60 + second) * 100 + hundredths + 1 : noTime;
}

TimeParts timeParts(Time time)
{
    if (time < 1 || time > maxTime)
        return {};
    const int t = time - 1;
    return { t / timePerHour, t / timePerMinute % 60, t / 100 % 60, t % 100 };
}

QTime toQTime(Time time)
{
    const TimeParts parts = timeParts(time);
    return time < 1 || time > maxTime ? QTime()
                                      : QTime(parts.hour, parts.minute, parts.second, parts.hundredths * 10);
}

Time fromQTime(const QTime& time)
{
    return time.isValid() ? makeTime(time.hour(), time.minute(), time.second(), time.msec() / 10) : noTime;
}

} // namespace nidora
