#include "core/PictureInput.h"
#include "core/Clock.h"
#include "core/Date.h"
#include "core/PictureFormat.h"

#include "ParsedPicture.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace nidora {
namespace {

struct Accepted {
    const char* picture;
    const char* typed;
    std::int64_t value;
};

struct Refused {
    const char* picture;
    const char* typed;
    InputError error;
};

// Two-digit years depend on the current year.
class PictureInput : public testing::Test {
protected:
    Clock::Fixed clock { QDateTime(QDate(2026, 12, 10), QTime(10, 0)) };
};

TEST_F(PictureInput, AcceptsWhatPeopleTypeIntoLongFields)
{
    const Accepted cases[] = {
        { "@n7", "  42 ", 42 },
        { "@n7", "123,456", 123456 },
        { "@n9", "1,234,567", 1234567 },
        { "@n_7", "1,234", 1234 },
        { "@n7", "", 0 },
        { "@n7", "   ", 0 },
        { "@n7", "+5", 5 },
        { "@n-14", "-1,234", -1234 },
        { "@n7", "-0", 0 },
        { "@N04", "0012", 12 },
        { "@N3~a~", "5a", 5 },
        { "@N3~a~", " 5 A ", 5 },
        { "@N3~a~", "5", 5 },
        { "@n7", "12.000", 12 },
        { "@s7", " 77", 77 },
        { "@pPág. <<<#p", "Pág.   12", 12 },
        { "@pPág. <<<#p", "12", 12 },
    };
    for (const Accepted& c : cases) {
        const Parsed<std::int64_t> parsed = parseLong(picture(c.picture), QString::fromUtf8(c.typed));
        EXPECT_TRUE(parsed.ok()) << c.picture << " '" << c.typed
                                 << "': " << inputErrorText(parsed.error).toStdString();
        EXPECT_EQ(parsed.value, c.value) << c.picture << " '" << c.typed << "'";
    }
}

TEST_F(PictureInput, RefusesWhatIsNoNumberOfThePicture)
{
    const Refused cases[] = {
        { "@n7", "12a", InputError::NotANumber },
        { "@n7", "abc", InputError::NotANumber },
        { "@n7", "1 2", InputError::NotANumber },
        { "@n7", "-", InputError::NotANumber },
        { "@n7", ".", InputError::NotANumber },
        { "@n7", "1.2.3", InputError::NotANumber },
        { "@n7", "3,5", InputError::NotANumber }, // a decimal comma is not a thousands separator
        { "@n7", "1,23", InputError::NotANumber },
        { "@n7", "1234,567", InputError::NotANumber },
        { "@n7", ",123", InputError::NotANumber },
        { "@n7", "--5", InputError::NotANumber },
        { "@n7", "-5", InputError::NegativeNotAllowed },
        { "@n7", "1234567", InputError::TooManyDigits }, // shows as 1,234,567: wider than 7
        { "@n2", "100", InputError::TooManyDigits },
        { "@N04", "12345", InputError::TooManyDigits },
        { "@n-4", "-1000", InputError::TooManyDigits },
        { "@n11", "99999999999999999999", InputError::TooManyDigits },
        { "@n7", "12.5", InputError::TooManyDecimals },
        { "@pPág. <<<#p", "12345", InputError::TooManyDigits },
        { "@pPág. <<<#p", "1x", InputError::NotANumber },
    };
    for (const Refused& c : cases) {
        const Parsed<std::int64_t> parsed = parseLong(picture(c.picture), QString::fromUtf8(c.typed));
        EXPECT_EQ(parsed.error, c.error) << c.picture << " '" << c.typed << "'";
    }
}

TEST_F(PictureInput, DecimalFieldsTakeExactValuesOfTheirType)
{
    struct Case {
        const char* picture;
        const char* typed;
        DecimalType type;
        Decimal value;
        InputError error;
    };
    const Case cases[] = {
        { "@n6.3", "3.25", { 4, 3 }, Decimal(3250, 3), InputError::None },
        { "@n6.3", "3", { 4, 3 }, Decimal(3000, 3), InputError::None },
        { "@n6.3", ".5", { 4, 3 }, Decimal(500, 3), InputError::None },
        { "@n6.3", "3.2500", { 4, 3 }, Decimal(3250, 3), InputError::None },
        { "@n6.3", "", { 4, 3 }, Decimal(0, 3), InputError::None },
        { "@n-13.2", "-1,234,567.89", { 5, 2 }, Decimal(-123456789, 2), InputError::None },
        { "@n4.1", "99.9", { 2, 1 }, Decimal(999, 1), InputError::None },
        { "@n6.3", "3.2505", { 4, 3 }, {}, InputError::TooManyDecimals },
        { "@n6.3", "3,25", { 4, 3 }, {}, InputError::NotANumber },
        { "@n6.3", "-3", { 4, 3 }, {}, InputError::NegativeNotAllowed },
        { "@n6.3", "100.5", { 4, 3 }, {}, InputError::TooManyDigits },
        // The picture is wider than the field: the field's range still decides.
        { "@n7.1", "100.0", { 2, 1 }, {}, InputError::TooManyDigits },
    };
    for (const Case& c : cases) {
        const Parsed<Decimal> parsed = parseDecimal(picture(c.picture), QString::fromUtf8(c.typed), c.type);
        EXPECT_EQ(parsed.error, c.error) << c.picture << " '" << c.typed << "'";
        if (c.error == InputError::None) {
            EXPECT_EQ(parsed.value.units(), c.value.units()) << c.picture << " '" << c.typed << "'";
            EXPECT_EQ(parsed.value.places(), c.type.places);
        }
    }
}

TEST_F(PictureInput, DatesAsTypedAndRefused)
{
    const Accepted accepted[] = {
        { "@D6", "01/01/1801", 4 },
        { "@D6", " 29/2/2008 ", makeDate(2008, 2, 29) },
        { "@d6", "1/3/08", makeDate(2008, 3, 1) },
        { "@d6", "1-3-2008", makeDate(2008, 3, 1) },
        { "@d6", "1.3.2008", makeDate(2008, 3, 1) },
        { "@D6", "5/6/46", makeDate(2046, 6, 5) },
        { "@D6", "5/6/47", makeDate(1947, 6, 5) },
        { "@D6", "29/12/1800", 1 },
        { "@D5", "29/02/08", makeDate(2008, 2, 29) },
        { "@D5", "29/02/2008", makeDate(2008, 2, 29) },
        { "@d4", "January 1, 1801", 4 },
        { "@d4", "sep 30 2008", makeDate(2008, 9, 30) },
        { "@d4", "30/9/2008", makeDate(2008, 9, 30) },
        { "@D6", "", noDate },
    };
    for (const Accepted& c : accepted) {
        const Parsed<std::int64_t> parsed = parseLong(picture(c.picture), QString::fromUtf8(c.typed));
        EXPECT_TRUE(parsed.ok()) << c.picture << " '" << c.typed << "'";
        EXPECT_EQ(parsed.value, c.value) << c.picture << " '" << c.typed << "'";
    }
    for (const char* typed : { "31/02/2008", "29/02/2007", "31/04/2008", "0/1/2008", "1/13/2008", "1/0/2008",
             "28/12/1800", "1/1/10000", "1/1/208", "1/1", "1/1/2008/1", "aa/bb/cccc", "1/1/2008x", "12012008",
             "1/2-2008", "January 1, 1801" }) {
        const Parsed<std::int64_t> parsed = parseLong(picture("@D6"), QString::fromUtf8(typed));
        EXPECT_EQ(parsed.error, InputError::InvalidDate) << typed;
    }
    for (const char* typed : { "Febuary 1, 2008", "Ja 1, 2008", "February 30, 2008", "January, 2008" })
        EXPECT_EQ(parseLong(picture("@d4"), QString::fromUtf8(typed)).error, InputError::InvalidDate)
            << typed;
}

TEST_F(PictureInput, TimesAsTypedAndRefused)
{
    const Accepted accepted[] = {
        { "@T1", "9:5", makeTime(9, 5) },
        { "@T1", "09:05", makeTime(9, 5) },
        { "@T1", " 23:59 ", makeTime(23, 59) },
        { "@T1", "0:00", midnight },
        { "@T1", "9", makeTime(9, 0) },
        { "@T1", "905", makeTime(9, 5) },
        { "@T1", "1830", makeTime(18, 30) },
        { "@T1", "18.30", makeTime(18, 30) },
        { "@T1", "", noTime },
    };
    for (const Accepted& c : accepted) {
        const Parsed<std::int64_t> parsed = parseLong(picture(c.picture), QString::fromUtf8(c.typed));
        EXPECT_TRUE(parsed.ok()) << c.typed;
        EXPECT_EQ(parsed.value, c.value) << c.typed;
    }
    for (const char* typed :
        { "25:00", "24:00", "12:60", "9:5:0", "a:b", ":30", "9:", "12345", "-1:00", "9:5x" })
        EXPECT_EQ(parseLong(picture("@T1"), QString::fromUtf8(typed)).error, InputError::InvalidTime)
            << typed;
}

TEST_F(PictureInput, WhatIsShownReadsBackAsTheSameValue)
{
    struct Case {
        const char* picture;
        std::int64_t value;
    };
    const Case cases[]
        = { { "@n7", 123456 }, { "@n-14", -9876543 }, { "@N06", 123 }, { "@n_7", 1234567 }, { "@N3~a~", 5 },
              { "@n2b", 0 }, { "@n7.3", 123 }, { "@D6", 75668 }, { "@D5", 75668 }, { "@d4", 75668 },
              { "@D6", noDate }, { "@T1", makeTime(9, 5) }, { "@T1", noTime }, { "@pPág. <<<#p", 7 } };
    for (const Case& c : cases) {
        const Picture p = picture(c.picture);
        const QString shown = formatLong(p, c.value);
        const Parsed<std::int64_t> back = parseLong(p, shown);
        EXPECT_TRUE(back.ok()) << c.picture << " '" << shown.toStdString() << "'";
        EXPECT_EQ(back.value, c.value) << c.picture << " '" << shown.toStdString() << "'";
    }
    const Picture weight = picture("@n-13.2");
    const Decimal fee(-123456789, 2);
    EXPECT_EQ(parseDecimal(weight, formatDecimal(weight, fee), { 5, 2 }).value, fee);
}

TEST_F(PictureInput, TextFieldsKeepWhatTheCodePageHolds)
{
    const Picture name = picture("@s10");
    EXPECT_EQ(parseText(name, QStringLiteral("Muñoz García")).value, QStringLiteral("Muñoz Garc"));
    EXPECT_EQ(parseText(name, QStringLiteral("Ωmega")).error, InputError::UnsupportedCharacter);
    EXPECT_EQ(parseText(picture("@n7"), QStringLiteral("1,234")).value, QStringLiteral("1234"));
    EXPECT_EQ(parseText(picture("@n7"), QStringLiteral("x")).error, InputError::NotANumber);
    EXPECT_DOUBLE_EQ(parseReal(picture("@n7.3"), QStringLiteral("3.125")).value, 3.125);
    EXPECT_EQ(parseReal(picture("@n7.3"), QStringLiteral("3.1255")).error, InputError::TooManyDecimals);
}

TEST(PictureInputErrors, EveryRefusalHasAText)
{
    for (InputError error : { InputError::NotANumber, InputError::NegativeNotAllowed,
             InputError::TooManyDigits, InputError::TooManyDecimals, InputError::InvalidDate,
             InputError::InvalidTime, InputError::UnsupportedCharacter })
        EXPECT_FALSE(inputErrorText(error).isEmpty()) << int(error);
    EXPECT_TRUE(inputErrorText(InputError::None).isEmpty());
}

} // namespace
} // namespace nidora
