#include "framework/TypedChoice.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace nidora::framework {

// Found by the test's messages next to the type.
void PrintTo(const TypedChoice& choice, std::ostream* out)
{
    *out << int(choice.outcome) << " \"" << choice.text.toStdString() << '"';
}

namespace {

using Outcome = TypedChoice::Outcome;

struct MatchCase {
    const char* name;
    const char* typed;
    TypedChoice expected;
};

// Coverages as their key orders them: without regard to case, accented letters with their base
// letter, "Ñ" between N and O.
const QStringList kCoverages { QStringLiteral("Alfa Salud"), QStringLiteral("Alfa Salud Plus"),
    QStringLiteral("Álvarez Salud"), QStringLiteral("IOMA"), QStringLiteral("Ñandú Médica"),
    QStringLiteral("OSDE") };

class TypedChoiceMatch : public testing::TestWithParam<MatchCase> { };

TEST_P(TypedChoiceMatch, ComesToTheChoiceTheRuleNames)
{
    EXPECT_EQ(matchTypedChoice(kCoverages, QString::fromUtf8(GetParam().typed)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Coverages, TypedChoiceMatch,
    testing::Values(MatchCase { "EqualIgnoringCase", "ioma", { Outcome::Chosen, "IOMA" } },
        MatchCase { "EqualWithTrailingSpaces", "OSDE  ", { Outcome::Chosen, "OSDE" } },
        MatchCase { "EqualBeatsALongerNameItBegins", "alfa salud", { Outcome::Chosen, "Alfa Salud" } },
        MatchCase { "PrefixTakesTheFirstNameAtItsPlace", "alfa s", { Outcome::Chosen, "Alfa Salud" } },
        MatchCase { "PrefixOfALaterName", "Alfa Salud P", { Outcome::Chosen, "Alfa Salud Plus" } },
        MatchCase { "PrefixWithAccentsFolded", "ñandú", { Outcome::Chosen, "Ñandú Médica" } },
        // "Á" stands before "Alfa Salud", which is of the same letters but no accent.
        MatchCase { "AccentedPrefixAmongPlainNames", "Á", { Outcome::Chosen, "Álvarez Salud" } },
        MatchCase { "PlainPrefixBeforeAccentedNames", "a", { Outcome::Chosen, "Alfa Salud" } },
        MatchCase { "AccentedPrefixOfTwoLetters", "ál", { Outcome::Chosen, "Álvarez Salud" } },
        MatchCase { "PlainTextBeginsNoAccentedName", "alv", { Outcome::NoMatch, "" } },
        // "IB" would stand just before "IOMA", which does not begin with it.
        MatchCase { "NameAtItsPlaceDoesNotBeginWithIt", "IB", { Outcome::NoMatch, "" } },
        MatchCase { "TextAfterEveryName", "Zeta", { Outcome::NoMatch, "" } },
        MatchCase { "ALongerTextThanTheName", "OSDE Binario", { Outcome::NoMatch, "" } },
        MatchCase { "Blank", "", { Outcome::Blank, "" } },
        MatchCase { "OnlySpaces", "   ", { Outcome::Blank, "" } }),
    [](const testing::TestParamInfo<MatchCase>& param) { return std::string(param.param.name); });

TEST(TypedChoice, BlankStaysBlankEvenWithNoChoices)
{
    EXPECT_EQ(matchTypedChoice({}, QString()).outcome, Outcome::Blank);
    EXPECT_EQ(matchTypedChoice({}, QStringLiteral("IOMA")).outcome, Outcome::NoMatch);
}

} // namespace
} // namespace nidora::framework
