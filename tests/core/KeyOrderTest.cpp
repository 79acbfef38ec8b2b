#include "core/KeyOrder.h"
#include "core/Cp1252.h"

#include "support/SpanishNames.h"

#include <gtest/gtest.h>

namespace nidora::cp1252 {
namespace {

int sign(int n)
{
    return (n > 0) - (n < 0);
}

QString character(int byte)
{
    return QString(toUnicode(static_cast<unsigned char>(byte)));
}

TEST(KeyOrder, NamesSortInTheSpanishAlphabetWithTheirLowerCaseTwins)
{
    const QStringList names = test::spanishNames();
    for (int i = 0; i < names.size(); ++i) {
        for (int j = 0; j < names.size(); ++j) {
            SCOPED_TRACE((names[i] + QStringLiteral(" / ") + names[j]).toStdString());
            EXPECT_EQ(sign(compareAsKey(names[i], names[j])), sign(i - j));
            EXPECT_EQ(sign(compareAsKey(names[i].toLower(), names[j])), sign(i - j));
            EXPECT_EQ(sign(compareAsKey(names[i], names[j].toLower() + QStringLiteral("  "))), sign(i - j));
        }
    }
}

TEST(KeyOrder, AccentsDecideOnlyBetweenTheSameLetters)
{
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        { "ALVAREZ", "ÁLVAREZ" }, // the plain letter first
        { "ÁLVAREZ", "ALVAREZA" }, // the letters decide before any accent
        { "Á", "ALBA" }, // a text whose letters begin another's comes first
        { "NÚNEZ", "NUÑEZ" }, // Ñ is a letter, not an accent
        { "NUNEZ", "NÚÑEZ" }, { "NZ", "Ñ" }, { "Ñ", "O" }, { "GRIPE", "GRIPÉ" },
        { "A", "À" }, // acute, grave, circumflex, tilde, diaeresis
        { "Á", "À" }, { "À", "Â" }, { "Â", "Ä" }, { "Ä", "Ã" }, { "CA", "ÇA" }, { "ÇA", "CB" }, { "U", "Ü" },
        { "Ü", "UA" }, { "Y", "Ÿ" },
        { "AES", "ÆS" }, // Æ, Œ and ß sort as two letters, after them written apart
        { "ÆS", "AF" }, { "OE", "Œ" }, { "SS", "ß" }, { "ß", "SST" },
        { "1", "A" }, // digits and other characters stay where the code page has them
        { "A1", "AA" }, { "A B", "AB" },
        { "Z", "Þ" }, // Þ a letter of its own after Z, before the characters after Z
        { "Þ", "[" }, { "ZAPATA", "µ" }, { "ÿ", "Ω" }, // beyond the code page: after all of it
    };
    for (const Case& c : cases) {
        const QString before = QString::fromUtf8(c.before);
        const QString after = QString::fromUtf8(c.after);
        EXPECT_LT(compareAsKey(before, after), 0) << c.before << " < " << c.after;
        EXPECT_GT(compareAsKey(after, before), 0) << c.after << " > " << c.before;
    }
}

// A unique key refuses and accepts what it did when keys compared folded bytes: two texts are
// one key value exactly when they differ in letter case alone.
TEST(KeyOrder, EveryCharacterIsAKeyValueOfItsOwnOnceItsCaseIsFolded)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const int order = compareAsKey(character(a), character(b));
            ASSERT_EQ(order == 0, foldCase(character(a)) == foldCase(character(b))) << a << " " << b;
            ASSERT_EQ(order, -compareAsKey(character(b), character(a))) << a << " " << b;
        }
    }
}

// Æ, Œ and ß sort as two letters each, and still no two characters make one of them.
TEST(KeyOrder, NoTwoCharactersAreOneKeyValueWithOne)
{
    const std::uint32_t first = characterKey(U'A').first.letter;
    const std::uint32_t last = characterKey(U'Z').first.letter + 1; // Þ
    QStringList letters; // the capitals, and what sorts with them
    for (int byte = 0; byte < 256; ++byte) {
        const QString c = character(byte);
        const std::uint32_t letter = characterKey(c[0].unicode()).first.letter;
        if (foldCase(c) == c && letter >= first && letter <= last)
            letters << c;
    }
    ASSERT_GT(letters.size(), 60);
    for (int c = 0; c < 256; ++c) {
        for (const QString& x : letters) {
            for (const QString& y : letters)
                ASSERT_NE(compareAsKey(character(c), x + y), 0) << c << " " << (x + y).toStdString();
        }
    }
}

TEST(KeyOrder, BaseLettersLeaveAccentsOut)
{
    struct Case {
        const char* a;
        const char* b;
        int order;
    };
    const Case cases[] = {
        { "Á", "a", 0 },
        { "ü", "U", 0 },
        { "Ç", "c", 0 },
        { "ÁLVAREZ", "alvarez", 0 },
        { "Ñ", "N", 1 },
        { "Ñ", "O", -1 },
        { "Z", "Ñ", 1 },
        { "Æ", "A", 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(sign(compareBaseLetters(QString::fromUtf8(c.a), QString::fromUtf8(c.b))), c.order)
            << c.a << " " << c.b;

    EXPECT_TRUE(beginsWithBaseLetters(QString::fromUtf8("ÁLVAREZ"), QStringLiteral("al")));
    EXPECT_TRUE(beginsWithBaseLetters(QString::fromUtf8("ÆSIR"), QStringLiteral("A")));
    EXPECT_TRUE(beginsWithBaseLetters(QStringLiteral("Ana"), QStringLiteral("A   ")));
    EXPECT_FALSE(beginsWithBaseLetters(QString::fromUtf8("ÑANDÚ"), QStringLiteral("N")));
    EXPECT_FALSE(beginsWithBaseLetters(QStringLiteral("A"), QStringLiteral("AL")));
}

} // namespace
} // namespace nidora::cp1252
