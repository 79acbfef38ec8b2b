#include "core/PictureFormat.h"
#include "core/Date.h"

#include "ParsedPicture.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <limits>

namespace nidora {
namespace {

struct Case {
    const char* picture;
    std::int64_t value;
    const char* shown;
};

TEST(PictureFormat, IntegersThroughNumberPictures)
{
    const Case cases[] = {
        { "@n7", 5, "      5" },
        { "@n7", 123456, "123,456" },
        { "@n7", 1234567, "#######" }, // the separators take places of the width
        { "@n9", 1234567, "1,234,567" },
        { "@n*9", 1234567, "1,234,567" },
        { "@n11", 0, "          0" },
        { "@n_7", 1234567, "1234567" },
        { "@N010", 42, "0000000042" },
        { "@N04", 2008, "2008" },
        { "@N06", 123, "000123" },
        { "@n02", 3, "03" },
        { "@n2b", 0, "  " },
        { "@n7b", 0, "       " },
        { "@n2b", 7, " 7" },
        { "@N3~a~", 5, "  5a" },
        { "@N6~días~", 12, "    12días" },
        { "@N3b~a~", 0, "    " },
        { "@N3~a~", 1000, "###a" },
        { "@n-14", -1234, "        -1,234" },
        { "@n5", -1234, "#####" }, // "-1,234" needs six places
        { "@n6", -1234, "-1,234" }, // a negative shows its minus even without "-"
        { "@n-05", -12, "-0012" },
        { "@n_5", -12, "  -12" },
        { "@n3", 1000, "###" },
        { "@n-4", -1000, "####" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatLong(picture(c.picture), c.value), QString::fromUtf8(c.shown))
            << c.picture << " " << c.value;
}

TEST(PictureFormat, DecimalsExactlyAndRounded)
{
    struct DecimalCase {
        const char* picture;
        Decimal value;
        const char* shown;
    };
    const DecimalCase cases[] = {
        { "@n-6.1", Decimal(-9999, 1), "-999.9" },
        { "@n-6.1", Decimal(25, 1), "   2.5" },
        { "@n-6.1", Decimal(-4, 2), "   0.0" }, // rounds to zero: no minus
        { "@n6.3", Decimal(3250, 3), " 3.250" },
        { "@n6.3", Decimal(35, 1), " 3.500" },
        { "@n5.2", Decimal(3456, 3), " 3.46" },
        { "@n5.2", Decimal(-3455, 3), "-3.46" },
        { "@n-13.2", Decimal(999999999, 2), " 9,999,999.99" },
        { "@n-13.2", Decimal(-999999999, 2), "-9,999,999.99" },
        { "@n_10.2", Decimal(123456789, 2), "1234567.89" },
        { "@N010.2", Decimal(-5, 2), "-000000.05" },
        { "@n4.1", Decimal(5, 2), " 0.1" },
        { "@n5.1b", Decimal(4, 2), "     " },
        { "@n4.1", Decimal(10000, 1), "####" },
        { "@n7", Decimal(std::numeric_limits<std::int64_t>::max(), 0), "#######" },
        { "@n5.2", Decimal(std::numeric_limits<std::int64_t>::max(), 0), "#####" },
        { "@s10", Decimal(-1250, 2), "-12.50" },
    };
    for (const DecimalCase& c : cases)
        EXPECT_EQ(formatDecimal(picture(c.picture), c.value), QString::fromUtf8(c.shown))
            << c.picture << " " << c.value.toString().toStdString();
    EXPECT_EQ(formatLong(picture("@n5.2"), 7), " 7.00");
}

TEST(PictureFormat, RealsRoundToThePicturesPlaces)
{
    EXPECT_EQ(formatReal(picture("@n7.3"), 3.14159), "  3.142");
    EXPECT_EQ(formatReal(picture("@n-6.1"), -2.25), "  -2.3");
    EXPECT_EQ(formatReal(picture("@n5"), 1e300), "#####");
    EXPECT_EQ(formatReal(picture("@n5"), std::numeric_limits<double>::infinity()), "#####");
    EXPECT_EQ(formatReal(picture("@D6"), 4.0), "01/01/1801");
}

TEST(PictureFormat, DatesAndTimes)
{
    const Date leapDay = makeDate(2008, 2, 29);
    const Case cases[] = {
        { "@D6", 4, "01/01/1801" },
        { "@d6", 1, "29/12/1800" },
        { "@D6", leapDay, "29/02/2008" },
        { "@D5", leapDay, "29/02/08" },
        { "@D5", 4, "01/01/01" },
        { "@d4", 4, "January 1, 1801" },
        { "@d4", makeDate(2008, 9, 30), "September 30, 2008" },
        { "@D6", noDate, "          " },
        { "@D5", noDate, "        " },
        { "@D6", -3, "##########" },
        { "@D6", maxDate + 1, "##########" },
        { "@T1", midnight, "00:00" },
        { "@T1", makeTime(9, 5, 59, 99), "09:05" },
        { "@T1", makeTime(23, 59), "23:59" },
        { "@T1", noTime, "     " },
        { "@T1", maxTime + 1, "#####" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatLong(picture(c.picture), c.value), QString::fromUtf8(c.shown))
            << c.picture << " " << c.value;
}

TEST(PictureFormat, TextAndPatterns)
{
    EXPECT_EQ(formatText(picture("@s5"), QStringLiteral("Muñoz García")), QStringLiteral("Muñoz"));
    EXPECT_EQ(formatText(picture("@s30"), QStringLiteral("Ana")), QStringLiteral("Ana"));
    EXPECT_EQ(formatText(picture("@n7"), QStringLiteral("1234")), QStringLiteral("  1,234"));
    EXPECT_EQ(formatText(picture("@n7"), QStringLiteral("XX")), QStringLiteral("XX"));
    EXPECT_EQ(formatLong(picture("@s3"), 12345), QStringLiteral("123"));

    const Case cases[] = {
        { "@pPág. <<<#p", 7, "Pág.    7" },
        { "@pPág. <<<#p", 0, "Pág.    0" },
        { "@pPág. <<<#p", 1234, "Pág. 1234" },
        { "@pPág. <<<#p", 12345, "Pág. ####" },
        { "@p##-##p", 502, "05-02" },
        { "@p<<-##p", -1, "##-##" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatLong(picture(c.picture), c.value), QString::fromUtf8(c.shown))
            << c.picture << " " << c.value;
}

} // namespace
} // namespace nidora
