#pragma once

#include <QDate>
#include <QTime>

#include <cstdint>

// Dates and times as the data files hold them: plain LONG values that compare and subtract
// as integers.
namespace nidora {

// A day number: day 4 is 1 January 1801 on the Gregorian calendar (day 1 is 29 December
// 1800); 0 means no date. Valid days run from 1 to 31 December 9999 (maxDate).
using Date = std::int32_t;

// Hundredths of a second since midnight plus one: 1 is midnight, 8640000 is 23:59:59.99;
// 0 means no time.
using Time = std::int32_t;

constexpr Date noDate = 0;
constexpr Date maxDate = 2994626;
constexpr Time noTime = 0;
constexpr Time midnight = 1;
constexpr Time maxTime = 24 * 60 * 60 * 100;
constexpr Time timePerMinute = 60 * 100;
constexpr Time timePerHour = 60 * timePerMinute;

struct DateParts {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0; // 1 to 31
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int hundredths = 0;
    friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

bool isLeapYear(int year);
// Days of the month; the month runs on like makeDate's (13 is January of the next year).
int daysInMonth(int year, int month);

// The day number of a year, month and day, running on past the ends of months and years:
// month 13 is January of the next year and month 0 December of the year before, a day past
// the month's end runs into the next month and day 0 is the last day of the month before.
// So (y, m + 1, 1) is the first of the next month and (y, m + 1, 0) the last of month m.
// Gives noDate when the result lies outside 1 to maxDate.
Date makeDate(int year, int month, int day);

// The year, month and day of a day number; all zero for noDate or a value out of range.
DateParts dateParts(Date date);

// 1 Monday to 7 Sunday: ((date - 1) mod 7) + 1, so a multiple of 7 is a Sunday. 0 for noDate.
int weekday(Date date);

// An invalid QDate for noDate or a value out of range, and noDate for an invalid or
// unrepresentable QDate.
QDate toQDate(Date date);
Date fromQDate(const QDate& date);

// The time of the parts; noTime when a part lies outside its range (hour 0 to 23, minute and
// second 0 to 59, hundredths 0 to 99).
Time makeTime(int hour, int minute, int second = 0, int hundredths = 0);

// The parts of a time; all zero for noTime or a value out of range.
TimeParts timeParts(Time time);

// An invalid QTime for noTime, and noTime for an invalid QTime. QTime keeps milliseconds;
// they are cut to hundredths.
QTime toQTime(Time time);
Time fromQTime(const QTime& time);

} // namespace nidora
