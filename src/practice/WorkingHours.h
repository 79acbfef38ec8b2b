#pragma once

#include "core/Date.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace nidora::practice {

// The practice's weekly working hours, one copy for the whole program: every open agenda and
// the working-hours window read and change the same values, without a lock (the logical
// threads never run at once).
struct WorkingHours {
    static constexpr int kRuns = 4; // morning from, morning to, afternoon from, afternoon to
    static constexpr int kWeekdays = 7; // 1 Monday ... 7 Sunday
    // The step the agenda uses when none is set: 15 minutes.
    static constexpr std::int32_t kDefaultInterval = 15 * timePerMinute;

    // HORARIO[k - 1][d - 1] is HORARIOk[d]: a time, 0 when not set.
    std::array<std::array<std::int32_t, kWeekdays>, kRuns> HORARIO {};
    // The step between slots, in hundredths of a second.
    std::int32_t INTERVALO = 0;

    std::int32_t& at(int run, int weekday) { return HORARIO[std::size_t(run - 1)][std::size_t(weekday - 1)]; }
    std::int32_t at(int run, int weekday) const
    {
        return HORARIO[std::size_t(run - 1)][std::size_t(weekday - 1)];
    }

    bool operator==(const WorkingHours&) const = default;
};

extern WorkingHours AgendaHours;

// The settings keys in the order every read and write takes them: for each weekday the four
// "horario" keys ("horario11", "horario21", "horario31", "horario41", "horario12", ...), then
// "intervalo".
std::vector<QString> workingHoursKeys();

// The 29 values from the settings file; a missing key (or one that holds no number) reads 0.
WorkingHours readWorkingHours();
// The 29 values as decimal text, in one rewrite of the settings file; false when it could not
// be written (the file is then left as it was).
bool writeWorkingHours(const WorkingHours& hours);

} // namespace nidora::practice
