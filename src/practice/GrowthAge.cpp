#include "practice/GrowthAge.h"

namespace nidora::practice {

GrowthAge splitGrowthAge(std::int64_t months)
{
    const std::int64_t years = months / 12;
    return GrowthAge { std::int32_t(years), std::int32_t(months - 12 * years) };
}

std::int64_t growthAgeMonths(std::int64_t years, std::int64_t months)
{
    return years * 12 + months;
}

} // namespace nidora::practice
