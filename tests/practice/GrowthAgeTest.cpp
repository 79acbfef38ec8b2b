#include "practice/GrowthAge.h"

#include <gtest/gtest.h>

namespace nidora::practice {
namespace {

struct AgeCase {
    std::int64_t years;
    std::int64_t months;
    std::int64_t stored;
    GrowthAge shown; // as the stored age shows again
};

class GrowthAges : public testing::TestWithParam<AgeCase> { };

TEST_P(GrowthAges, StoreYearsTimesTwelvePlusMonthsAndShowThemBackAsWholeYears)
{
    const AgeCase& c = GetParam();
    EXPECT_EQ(growthAgeMonths(c.years, c.months), c.stored);
    EXPECT_EQ(splitGrowthAge(c.stored), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Ages, GrowthAges,
    testing::Values(AgeCase { 0, 0, 0, { 0, 0 } }, // the birth row
        AgeCase { 0, 1, 1, { 0, 1 } }, AgeCase { 6, 1, 73, { 6, 1 } },
        AgeCase { 22, 0, 264, { 22, 0 } }, // past what one byte holds
        AgeCase { 1, 15, 27, { 2, 3 } }, // months past eleven carry into the years shown
        AgeCase { 99, 99, 1287, { 107, 3 } })); // the most two-digit entries can give

} // namespace
} // namespace nidora::practice
