#pragma once

#include <cstdint>

// The age of a row of growth reference values: stored in months (TCR:EDAD), shown and edited
// as whole years and the months over them. Both ways are computed in a wide integer, so that
// 22 years come to 264 months however narrow the fields that show them.
namespace nidora::practice {

struct GrowthAge {
    std::int32_t years = 0;
    std::int32_t months = 0;

    bool operator==(const GrowthAge&) const = default;
};

// Whole years and the months left over (0 to 11).
GrowthAge splitGrowthAge(std::int64_t months);
// The months of an age given in years and months; the months need not be under 12 (1 year and
// 15 months are 27 months, shown again as 2 years and 3 months).
std::int64_t growthAgeMonths(std::int64_t years, std::int64_t months);

} // namespace nidora::practice
