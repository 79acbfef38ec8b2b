#include "core/Decimal.h"

#include <gtest/gtest.h>

#include <limits>

namespace nidora {
namespace {

TEST(Decimal, ParsesExactlyAndPrintsBack)
{
    struct Case {
        const char* text;
        std::int64_t units;
        int places;
        const char* printed;
    };
    const Case cases[] = {
        { "0", 0, 0, "0" },
        { "12.50", 1250, 2, "12.50" },
        { "  -0.05 ", -5, 2, "-0.05" },
        { "+7", 7, 0, "7" },
        { ".5", 5, 1, "0.5" },
        { "5.", 5, 0, "5" },
        { "007.3", 73, 1, "7.3" },
        { "9999999.99", 999999999, 2, "9999999.99" },
        { "-9223372036854775808", std::numeric_limits<std::int64_t>::min(), 0, "-9223372036854775808" },
        { "0.000000000000000001", 1, 18, "0.000000000000000001" },
    };
    for (const Case& c : cases) {
        const std::optional<Decimal> parsed = Decimal::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(parsed->units(), c.units) << c.text;
        EXPECT_EQ(parsed->places(), c.places) << c.text;
        EXPECT_EQ(parsed->toString(), QString::fromUtf8(c.printed)) << c.text;
    }
}

TEST(Decimal, RejectsWhatIsNotANumber)
{
    for (const char* text : { "", "  ", "-", ".", "1.2.3", "12a", "1 2", "--1", "1,000", "1e5",
             "9223372036854775808", "0.0000000000000000001" })
        EXPECT_FALSE(Decimal::parse(QString::fromUtf8(text))) << text;
}

TEST(Decimal, RescalesRoundingHalfAwayFromZero)
{
    struct Case {
        Decimal from;
        int places;
        std::int64_t units;
    };
    const Case cases[] = {
        { { 125, 2 }, 1, 13 },
        { { -125, 2 }, 1, -13 },
        { { 124, 2 }, 1, 12 },
        { { -124, 2 }, 1, -12 },
        { { 15, 1 }, 0, 2 },
        { { -15, 1 }, 0, -2 },
        { { 4999, 3 }, 0, 5 },
        { { 4499, 3 }, 0, 4 },
        { { 7, 0 }, 3, 7000 },
        { { -7, 1 }, 2, -70 },
        { { 5, 2 }, 2, 5 },
    };
    for (const Case& c : cases) {
        const std::optional<Decimal> result = c.from.rescaled(c.places);
        ASSERT_TRUE(result) << c.from.toString().toStdString();
        EXPECT_EQ(result->units(), c.units) << c.from.toString().toStdString() << " to " << c.places;
        EXPECT_EQ(result->places(), c.places);
    }
    EXPECT_FALSE(Decimal(std::numeric_limits<std::int64_t>::max() / 5, 0).rescaled(1));
    EXPECT_FALSE(Decimal(1, 0).rescaled(Decimal::maxPlaces + 1));
}

TEST(Decimal, ComparesByValueAcrossPlaces)
{
    EXPECT_EQ(Decimal(150, 2), Decimal(15, 1));
    EXPECT_LT(Decimal(149, 2), Decimal(15, 1));
    EXPECT_GT(Decimal(-1, 3), Decimal(-1, 0));
    // Scaling the left one up would overflow: its magnitude decides.
    EXPECT_GT(Decimal(std::numeric_limits<std::int64_t>::max(), 0), Decimal(5, 2));
    EXPECT_LT(Decimal(std::numeric_limits<std::int64_t>::min(), 0), Decimal(5, 2));
    EXPECT_LT(Decimal(5, 2), Decimal(std::numeric_limits<std::int64_t>::max(), 0));
}

TEST(Decimal, ConvertsFromAndToDouble)
{
    EXPECT_EQ(Decimal::fromDouble(3.14159, 2), Decimal(314, 2));
    EXPECT_EQ(Decimal::fromDouble(-2.5, 0), Decimal(-3, 0));
    EXPECT_EQ(Decimal::fromDouble(0.125, 2), Decimal(13, 2));
    EXPECT_FALSE(Decimal::fromDouble(1e30, 0));
    EXPECT_FALSE(Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN(), 0));
    EXPECT_DOUBLE_EQ(Decimal(-1250, 3).toDouble(), -1.25);
}

TEST(DecimalType, HoldsAtMostTwiceItsBytesLessOneDigits)
{
    struct Case {
        DecimalType type;
        std::int64_t maxUnits;
        const char* largest;
        const char* tooLarge;
    };
    const Case cases[] = {
        { { 2, 1 }, 999, "99.9", "100.0" },
        { { 3, 1 }, 99999, "9999.9", "10000" },
        { { 3, 2 }, 99999, "999.99", "1000" },
        { { 4, 3 }, 9999999, "9999.999", "10000" },
        { { 5, 2 }, 999999999, "9999999.99", "10000000" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.type.maxUnits(), c.maxUnits);
        const Decimal largest = *Decimal::parse(QString::fromUtf8(c.largest));
        EXPECT_TRUE(c.type.holds(largest)) << c.largest;
        EXPECT_TRUE(c.type.holds(Decimal(-largest.units(), largest.places()))) << c.largest;
        EXPECT_FALSE(c.type.holds(*Decimal::parse(QString::fromUtf8(c.tooLarge)))) << c.tooLarge;
    }
}

TEST(DecimalType, WideTypesAreLimitedByTheUnits)
{
    EXPECT_EQ((DecimalType { 9, 0 }).maxUnits(), 99999999999999999);
    EXPECT_EQ((DecimalType { 16, 2 }).maxUnits(), std::numeric_limits<std::int64_t>::max());
}

TEST(DecimalType, FitsValuesToItsPlaces)
{
    const DecimalType weight { 4, 3 };
    EXPECT_EQ(weight.fit(Decimal(35, 1)), Decimal(3500, 3));
    EXPECT_EQ(weight.fit(Decimal(12345, 4))->units(), 1235);
    EXPECT_FALSE(weight.holds(Decimal(12345, 4)));
    EXPECT_TRUE(weight.holds(Decimal(12340, 4)));
    // Rounding can carry a value out of range.
    EXPECT_FALSE(weight.fit(Decimal(99999995, 4)));
}

} // namespace
} // namespace nidora
