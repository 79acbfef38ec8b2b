#pragma once

#include <QString>

#include <cstdint>

namespace nidora::practice {

// The calendar date picker: a month grid on the caller's own logical thread, worked with the
// keyboard or the mouse, that answers the day chosen, or 0 when the user cancels (Esc, or
// "&Cancel"). Closing it from its title bar answers the day picked so far.
//
// caption: the title in place of "Calendar", when keepCaption is 0 and it is not blank.
// It opens on today when startAtToday is not 0 or startDate is 0, otherwise on startDate;
// Home returns there.
//
//   const std::int32_t day = SelectDate(QString(), 0, 0, 1); // opens on today
std::int32_t SelectDate(
    const QString& caption, std::uint8_t keepCaption, std::int32_t startDate, std::uint8_t startAtToday);

} // namespace nidora::practice
