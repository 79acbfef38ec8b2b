#include "core/AgeAtDate.h"

#include <gtest/gtest.h>

namespace nidora {
namespace {

struct Dmy {
    int day, month, year;
    Date date() const { return makeDate(year, month, day); }
};

TEST(AgeAtDate, WorkedExamplesAndEdges)
{
    struct Case {
        Dmy born;
        Dmy seen;
        Age age;
    };
    const Case cases[] = {
        { { 15, 3, 2008 }, { 10, 1, 2010 }, { 1, 9, 26 } },
        { { 30, 1, 2010 }, { 2, 3, 2010 }, { 0, 1, 0 } },
        { { 10, 5, 2009 }, { 10, 5, 2009 }, { 0, 0, 0 } },
        // The day of the month before the event runs on past a short February twice over.
        { { 31, 1, 2010 }, { 1, 3, 2010 }, { 0, 0, 29 } },
        { { 31, 1, 2010 }, { 2, 3, 2010 }, { 0, 0, 30 } },
        { { 31, 1, 2010 }, { 3, 3, 2010 }, { 0, 1, 0 } },
        { { 29, 1, 2008 }, { 1, 3, 2008 }, { 0, 1, 1 } },
        { { 31, 1, 2008 }, { 1, 3, 2008 }, { 0, 0, 30 } },
        // Born on 29 February.
        { { 29, 2, 2008 }, { 28, 2, 2009 }, { 0, 11, 30 } },
        { { 29, 2, 2008 }, { 1, 3, 2009 }, { 1, 0, 0 } },
        { { 29, 2, 2008 }, { 29, 2, 2012 }, { 4, 0, 0 } },
        { { 29, 2, 2008 }, { 28, 3, 2008 }, { 0, 0, 28 } },
        // Across a year's end.
        { { 20, 12, 2009 }, { 5, 1, 2010 }, { 0, 0, 16 } },
        { { 5, 1, 2009 }, { 4, 1, 2010 }, { 0, 11, 30 } },
        // Before the birth.
        { { 10, 5, 2009 }, { 9, 5, 2009 }, { 0, 0, 0 } },
        { { 10, 5, 2009 }, { 1, 1, 1990 }, { 0, 0, 0 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(AgeAtDate(c.born.date(), c.seen.date()), c.age)
            << c.born.day << '/' << c.born.month << '/' << c.born.year << " at " << c.seen.day << '/'
            << c.seen.month << '/' << c.seen.year;
}

TEST(AgeAtDate, NoBirthDateIsNoAge)
{
    for (const Date event : { noDate, makeDate(2010, 1, 10), maxDate })
        EXPECT_EQ(AgeAtDate(noDate, event), Age {}) << event;
    EXPECT_EQ(AgeAtDate(-5, makeDate(2010, 1, 10)), Age {});
}

TEST(AgeAtDate, YearsBeyondAByteStayRefusable)
{
    EXPECT_EQ(AgeAtDate(makeDate(1801, 1, 1), makeDate(1900, 1, 1)), (Age { 99, 0, 0 }));
    EXPECT_EQ(AgeAtDate(makeDate(1801, 1, 1), makeDate(2057, 1, 1)).years, 255);
    EXPECT_EQ(AgeAtDate(makeDate(1801, 1, 1), makeDate(9999, 12, 31)).years, 255);
}

// Every birth date of five years and every event up to 800 days after it: the parts stay
// within what the records accept, and the age added back to the birth date gives the event.
TEST(AgeAtDate, EveryAgeOverFiveYearsAddsBackToItsEvent)
{
    const Date first = makeDate(2007, 1, 1);
    const Date last = makeDate(2011, 12, 31);
    int failures = 0;
    for (Date birth = first; birth <= last && failures < 5; ++birth) {
        const DateParts born = dateParts(birth);
        for (Date event = birth; event <= birth + 800; ++event) {
            const Age age = AgeAtDate(birth, event);
            const Date back
                = makeDate(born.year + age.years, born.month + age.months, born.day) + Date(age.days);
            if (age.days <= 31 && age.months <= 11 && back == event)
                continue;
            ADD_FAILURE() << "born " << birth << " seen " << event << ": " << int(age.years) << " years "
                          << int(age.months) << " months " << int(age.days) << " days";
            if (++failures >= 5)
                break;
        }
    }
}

} // namespace
} // namespace nidora
