#pragma once

#include "core/Date.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace nidora::data {
class Dictionary;
}

// The rules of the patient form's history pages that need no window: the age at which a motor
// milestone was reached, the dates a vaccination plan gives a patient, and the planned
// vaccinations written from it.
namespace nidora::clinical {

// Whole years and the months left over from the birth date to a milestone's date, by months
// of the calendar (the days are not looked at); 0 and 0 when either date is missing. A
// milestone dated before the birth year gives negative years.
struct MilestoneAge {
    std::int16_t years = 0;
    std::int16_t months = 0;

    bool operator==(const MilestoneAge&) const = default;
};
MilestoneAge milestoneAge(Date birth, Date observed);

// The date a plan's row falls on for a patient born on `birth`: its years and months added to
// the birth's, on the birth's day, a day past that month's end running on into the next (born
// 31 January, one month: 3 March, or 2 March in a leap year), then its days.
Date plannedDate(Date birth, const data::PLANVACUNACION& row);

// Adds, for every row of the patient's plan (PAC:PLANVACUNACION), a planned vaccination on
// the row's date with its vaccine and dose, unless the patient has one of that vaccine on that
// date already; nothing without a birth date. VACUNACION and PLANVACUNACION are open; the
// rows are written in one buffered pass. Returns how many were added.
int generatePlannedVaccinations(data::Dictionary& data, const data::PACIENTES& patient);

} // namespace nidora::clinical
