#include "core/Date.h"
#include "core/Clock.h"

#include <gtest/gtest.h>

namespace nidora {
namespace {

TEST(Date, KnownDayNumbers)
{
    struct Case {
        int year, month, day;
        Date number;
    };
    const Case cases[] = {
        { 1800, 12, 29, 1 },
        { 1800, 12, 31, 3 },
        { 1801, 1, 1, 4 },
        { 1801, 3, 1, 63 },
        { 2000, 1, 1, 72687 },
        { 2008, 2, 29, 75668 },
        { 9999, 12, 31, maxDate },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(makeDate(c.year, c.month, c.day), c.number) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_EQ(dateParts(c.number), (DateParts { c.year, c.month, c.day })) << c.number;
    }
}

TEST(Date, RunsOnPastTheEndsOfMonthsAndYears)
{
    struct Case {
        int year, month, day;
        DateParts expected;
    };
    const Case cases[] = {
        { 2008, 13, 1, { 2009, 1, 1 } },
        { 2008, 2, 30, { 2008, 3, 1 } },
        { 2007, 2, 29, { 2007, 3, 1 } },
        { 2008, 3, 0, { 2008, 2, 29 } },
        { 2007, 3, 0, { 2007, 2, 28 } },
        { 2008, 0, 15, { 2007, 12, 15 } },
        { 2008, 1, 0, { 2007, 12, 31 } },
        { 2008, 1, 31 + 29 + 1, { 2008, 3, 1 } },
        { 2008, 25, 1, { 2010, 1, 1 } },
        { 2008, -11, 1, { 2007, 1, 1 } },
        { 2008, 1, -1, { 2007, 12, 30 } },
        // 31 January plus one month runs on into March.
        { 2008, 2, 31, { 2008, 3, 2 } },
        { 1801, 1, -2, { 1800, 12, 29 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateParts(makeDate(c.year, c.month, c.day)), c.expected)
            << c.year << '-' << c.month << '-' << c.day;
}

TEST(Date, OutsideTheRangeIsNoDate)
{
    EXPECT_EQ(makeDate(1800, 12, 28), noDate);
    EXPECT_EQ(makeDate(1700, 1, 1), noDate);
    EXPECT_EQ(makeDate(10000, 1, 1), noDate);
    EXPECT_EQ(dateParts(noDate), DateParts {});
    EXPECT_EQ(dateParts(-5), DateParts {});
    EXPECT_EQ(dateParts(maxDate + 1), DateParts {});
    EXPECT_FALSE(toQDate(noDate).isValid());
    EXPECT_EQ(fromQDate(QDate()), noDate);
    EXPECT_EQ(fromQDate(QDate(1700, 1, 1)), noDate);
}

TEST(Date, LeapYearsAndMonthLengths)
{
    struct Case {
        int year;
        bool leap;
    };
    const Case cases[] = { { 1800, false }, { 1900, false }, { 2000, true }, { 2004, true }, { 2007, false },
        { 2008, true }, { 2100, false }, { 2400, true } };
    for (const Case& c : cases) {
        EXPECT_EQ(isLeapYear(c.year), c.leap) << c.year;
        EXPECT_EQ(daysInMonth(c.year, 2), c.leap ? 29 : 28) << c.year;
    }
    EXPECT_EQ(daysInMonth(2008, 1), 31);
    EXPECT_EQ(daysInMonth(2008, 4), 30);
    EXPECT_EQ(daysInMonth(2008, 12), 31);
    EXPECT_EQ(daysInMonth(2007, 14), 29); // February of 2008
    EXPECT_EQ(daysInMonth(2008, 0), 31); // December of 2007
}

TEST(Date, WeekdayIsOneForMonday)
{
    struct Case {
        int year, month, day, weekday;
    };
    const Case cases[] = {
        { 1800, 12, 29, 1 }, // day 1
        { 1801, 1, 1, 4 }, // a Thursday
        { 1801, 1, 4, 7 }, // day 7, a Sunday
        { 2000, 1, 1, 6 },
        { 2008, 2, 29, 5 },
        { 2026, 12, 10, 4 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(weekday(makeDate(c.year, c.month, c.day)), c.weekday)
            << c.year << '-' << c.month << '-' << c.day;
    for (Date multipleOfSeven : { 7, 70000, 75670 })
        EXPECT_EQ(weekday(multipleOfSeven), 7) << multipleOfSeven;
    EXPECT_EQ(weekday(noDate), 0);
}

TEST(Date, EveryDayFrom1801To2100MatchesQDate)
{
    const Date first = makeDate(1801, 1, 1);
    const Date last = makeDate(2100, 12, 31);
    QDate expected(1801, 1, 1);
    for (Date d = first; d <= last; ++d, expected = expected.addDays(1)) {
        ASSERT_EQ(toQDate(d), expected) << d;
        ASSERT_EQ(fromQDate(expected), d) << expected.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(weekday(d), expected.dayOfWeek()) << d;
    }
}

TEST(Time, PartsAndEncoding)
{
    struct Case {
        TimeParts parts;
        Time time;
    };
    const Case cases[] = {
        { { 0, 0, 0, 0 }, midnight },
        { { 0, 0, 0, 1 }, 2 },
        { { 0, 15, 0, 0 }, 90001 },
        { { 9, 5, 0, 0 }, 3270001 },
        { { 23, 59, 59, 99 }, maxTime },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(makeTime(c.parts.hour, c.parts.minute, c.parts.second, c.parts.hundredths), c.time);
        EXPECT_EQ(timeParts(c.time), c.parts) << c.time;
        EXPECT_EQ(fromQTime(toQTime(c.time)), c.time);
    }
}

TEST(Time, OutOfRangeIsNoTime)
{
    const TimeParts bad[]
        = { { 24, 0, 0, 0 }, { -1, 0, 0, 0 }, { 10, 60, 0, 0 }, { 10, 0, 60, 0 }, { 10, 0, 0, 100 } };
    for (const TimeParts& p : bad)
        EXPECT_EQ(makeTime(p.hour, p.minute, p.second, p.hundredths), noTime) << p.hour << ':' << p.minute;
    EXPECT_EQ(timeParts(noTime), TimeParts {});
    EXPECT_EQ(timeParts(maxTime + 1), TimeParts {});
    EXPECT_FALSE(toQTime(noTime).isValid());
    EXPECT_EQ(fromQTime(QTime()), noTime);
    EXPECT_EQ(fromQTime(QTime(12, 30, 15, 999)), makeTime(12, 30, 15, 99));
}

TEST(Clock, FixedInstantNestsAndRestores)
{
    {
        Clock::Fixed outer(QDateTime(QDate(2008, 2, 29), QTime(9, 5)));
        EXPECT_EQ(Clock::today(), makeDate(2008, 2, 29));
        EXPECT_EQ(Clock::now(), makeTime(9, 5));
        {
            Clock::Fixed inner(QDateTime(QDate(1801, 1, 1), QTime(0, 0)));
            EXPECT_EQ(Clock::today(), 4);
            EXPECT_EQ(Clock::now(), midnight);
        }
        EXPECT_EQ(Clock::today(), makeDate(2008, 2, 29));
    }
    const QDate systemToday = QDate::currentDate();
    const Date today = Clock::today();
    // Tolerates the test running across midnight.
    EXPECT_TRUE(today == fromQDate(systemToday) || today == fromQDate(systemToday.addDays(1)));
}

} // namespace
} // namespace nidora
