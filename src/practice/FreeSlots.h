#pragma once

#include "practice/WorkingHours.h"

#include <cstdint>
#include <vector>

namespace nidora::data {
class Dictionary;
}

// The agenda's free slots: every doctor has a free appointment at every step of the working
// hours of the day shown, made before the day is listed so that booking is mostly a change.
namespace nidora::practice {

// The step between slots: the interval, or 15 minutes when it is 0 (a missing "intervalo"
// key, or 0 entered), which would otherwise never advance.
std::int64_t slotStep(std::int32_t interval);

// The times of one run from `from` to `to` by `step`, both ends included (a negative step runs
// downwards). A time of 0 is no slot, and no slot lies outside the day (midnight to
// 23:59:59.99), however large or negative the values: the run stops where it leaves the day.
std::vector<std::int32_t> runTimes(std::int64_t from, std::int64_t to, std::int64_t step);

// The morning run then the afternoon run of the day's weekday; none for no date.
std::vector<std::int32_t> slotTimes(const WorkingHours& hours, Date day);

// Adds, for every doctor of MEDICOS in number order, a free AGENDA record at each slot time
// of the day that has no record of that day, time and doctor yet; an existing one, free or
// booked, is left alone, and nothing is removed. Runs as one transaction of AGENDA. The
// thread's AGENDA and MEDICOS must be open. A slot that cannot be written is reported with the
// data file's message and the run goes on when it was a duplicate (another window made the
// same slot meanwhile), and stops on any other failure, which every further write would meet
// as well. Answers how many records it added.
int generateFreeSlots(data::Dictionary& data, const WorkingHours& hours, Date day);

} // namespace nidora::practice
