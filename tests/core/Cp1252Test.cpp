#include "core/Cp1252.h"

#include <gtest/gtest.h>

namespace nidora::cp1252 {
namespace {

TEST(Cp1252, EveryByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        unsigned char back = 0;
        ASSERT_TRUE(fromUnicode(toUnicode(static_cast<unsigned char>(b)), back)) << b;
        EXPECT_EQ(back, b);
    }
}

TEST(Cp1252, HighControlRangeHoldsItsPrintableCharacters)
{
    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = { { 0x80, 0x20AC }, { 0x8A, 0x0160 }, { 0x9A, 0x0161 }, { 0x9F, 0x0178 },
        { 0x85, 0x2026 }, { 0x96, 0x2013 } };
    for (const Case& c : cases) {
        EXPECT_EQ(toUnicode(c.byte).unicode(), c.unicode);
        EXPECT_EQ(encode(QString(QChar(c.unicode))), QByteArray(1, char(c.byte)));
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageAreNotRepresentable)
{
    EXPECT_TRUE(representable(QStringLiteral("Muñoz Güemes €")));
    EXPECT_FALSE(representable(QStringLiteral("Ωmega")));
    EXPECT_EQ(encode(QStringLiteral("aΩb")), QByteArray("a?b"));
}

TEST(Cp1252, FoldsTheCodePagesLetters)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = { { "á", "Á" }, { "ñ", "Ñ" }, { "ü", "Ü" }, { "ÿ", "Ÿ" }, { "š", "Š" }, { "œ", "Œ" },
        { "garcía", "GARCÍA" }, { "÷", "÷" }, { "ß", "ß" }, { "1-a", "1-A" } };
    for (const Case& c : cases)
        EXPECT_EQ(foldCase(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(Cp1252, KeyComparisonIgnoresCaseAndTrailingSpaces)
{
    EXPECT_EQ(compareAsKey(QStringLiteral("gripe  "), QStringLiteral("GRIPE")), 0);
    EXPECT_EQ(compareAsKey(QString::fromUtf8("Núñez"), QString::fromUtf8("NÚÑEZ")), 0);
    EXPECT_LT(compareAsKey(QStringLiteral("GAR"), QStringLiteral("garcia")), 0);
    EXPECT_GT(compareAsKey(QStringLiteral("b"), QStringLiteral("A")), 0);
    EXPECT_LT(compareAsKey(QStringLiteral(""), QStringLiteral("a")), 0);
}

TEST(Cp1252, FitToFieldCutsAndDropsTrailingSpaces)
{
    EXPECT_EQ(fitToField(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(fitToField(QStringLiteral("ab   "), 10), QStringLiteral("ab"));
    EXPECT_EQ(fitToField(QStringLiteral("    "), 4), QString());
}

} // namespace
} // namespace nidora::cp1252
