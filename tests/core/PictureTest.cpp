#include "core/Picture.h"

#include <gtest/gtest.h>

namespace nidora {
namespace {

Picture number(int width, int places = 0)
{
    Picture p;
    p.kind = Picture::Kind::Number;
    p.width = width;
    p.places = places;
    return p;
}

TEST(Picture, ReadsEveryKindOfPicture)
{
    Picture text;
    text.kind = Picture::Kind::Text;
    text.width = 30;

    Picture signedOneDecimal = number(6, 1);
    signedOneDecimal.allowsNegative = true;
    Picture zeros = number(4);
    zeros.fill = Picture::Fill::Zeros;
    Picture blanks = number(7);
    blanks.fill = Picture::Fill::Blanks;
    Picture blankZero = number(2);
    blankZero.blankWhenZero = true;
    Picture withSuffix = number(6);
    withSuffix.suffix = QStringLiteral("días");
    Picture both = number(3);
    both.blankWhenZero = true;
    both.suffix = QStringLiteral("a");

    Picture dmy;
    dmy.kind = Picture::Kind::Date;
    dmy.width = 10;
    Picture dmyShort = dmy;
    dmyShort.dateStyle = Picture::DateStyle::DayMonthShortYear;
    dmyShort.width = 8;
    Picture named = dmy;
    named.dateStyle = Picture::DateStyle::MonthNameDayYear;
    named.width = 18;
    Picture time;
    time.kind = Picture::Kind::Time;
    time.width = 5;
    Picture pattern;
    pattern.kind = Picture::Kind::Pattern;
    pattern.pattern = QStringLiteral("Pág. <<<#");
    pattern.width = 9;

    struct Case {
        const char* text;
        Picture picture;
    };
    const Case cases[] = {
        { "@s30", text },
        { "@S30", text },
        { "@n7", number(7) },
        { "@N7", number(7) },
        { "@n*7", number(7) },
        { "@n-6.1", signedOneDecimal },
        { "@N04", zeros },
        { "@n_7", blanks },
        { "@n2b", blankZero },
        { "@N6~días~", withSuffix },
        { "@N3b~a~", both },
        { "@N3~a~b", both },
        { "@D6", dmy },
        { "@d6", dmy },
        { "@D5", dmyShort },
        { "@d4", named },
        { "@T1", time },
        { "@t1", time },
        { "@pPág. <<<#p", pattern },
    };
    for (const Case& c : cases) {
        const std::optional<Picture> parsed = parsePicture(QString::fromUtf8(c.text));
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(*parsed, c.picture) << c.text;
    }
}

TEST(Picture, RefusesWhatIsNoPicture)
{
    for (const char* text : { "", "@", "s30", "@s", "@s0", "@x5", "@n", "@n-", "@n0", "@n7.", "@n3.3",
             "@n7.3x", "@n3~a", "@D7", "@D", "@T2", "@T", "@pabc", "@n999", "@s30 " })
        EXPECT_FALSE(parsePicture(QString::fromUtf8(text))) << text;
}

TEST(Picture, ReadsAPictureAtTheStartOfAColumnFormat)
{
    struct Case {
        const char* text;
        qsizetype length;
    };
    const Case cases[] = { { "@n7.3@30R(1)", 5 }, { "@s20@", 4 }, { "@N3~a~@12R", 6 }, { "@D6)", 3 } };
    for (const Case& c : cases) {
        qsizetype length = 0;
        ASSERT_TRUE(parsePicturePrefix(QString::fromUtf8(c.text), length)) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
    }
}

} // namespace
} // namespace nidora
