#pragma once

#include "core/Date.h"

#include <cstdint>

namespace nidora {

// A patient's age at an event: whole years, then the further whole months, then the further
// days, as the consultations and pathologies store it (one BYTE each).
struct Age {
    std::uint8_t years = 0;
    std::uint8_t months = 0;
    std::uint8_t days = 0;

    friend bool operator==(const Age&, const Age&) = default;
};

// The age on `event` of someone born on `birth`: 0, 0, 0 when there is no birth date or the
// event is not after it. Days short of a whole month are counted from the birth day of the
// month before the event's; a birth day that month lacks runs on into the next month (born
// 30 January, the month counts from 2 March in a year of 28 February days). When even that
// leaves the event short (born 29 to 31 January, seen in the first days of March), the count
// goes back one month more, so months stay within 0 to 11 and days within 0 to 31, and
// adding the years, months and days to the birth date, with the same run-on, gives the event.
// Years beyond what a BYTE holds stay at 255, which the records' validation refuses, rather
// than wrapping round to a plausible age.
Age AgeAtDate(Date birth, Date event);

} // namespace nidora
