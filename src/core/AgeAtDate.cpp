#include "core/AgeAtDate.h"

#include <algorithm>

namespace nidora {
namespace {

// The birth day in the month `back` months before the event's month, running on past the end
// of a short month.
Date birthDayMonthsBefore(const DateParts& event, int back, int birthDay)
{
    int month = event.month - back;
    int year = event.year;
    while (month < 1) {
        month += 12;
        --year;
    }
    return makeDate(year, month, birthDay);
}

} // namespace

Age AgeAtDate(Date birth, Date event)
{
    if (birth <= noDate || event <= birth)
        return {};
    const DateParts born = dateParts(birth);
    const DateParts seen = dateParts(event);
    int days = seen.day - born.day;
    int months = seen.month - born.month;
    int years = seen.year - born.year;
    // Borrow from the months: once as a month's days are usually counted, and once more when
    // the birth day ran on past the event within the short month before it.
    for (int back = 1; days < 0 && back <= 2; ++back) {
        days = event - birthDayMonthsBefore(seen, back, born.day);
        --months;
    }
    if (months < 0) {
        months += 12;
        --years;
    }
    return Age { std::uint8_t(std::clamp(years, 0, 255)), std::uint8_t(months), std::uint8_t(days) };
}

} // namespace nidora
