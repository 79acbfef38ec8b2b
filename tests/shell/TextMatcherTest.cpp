#include "shell/TextMatcher.h"

#include <gtest/gtest.h>

namespace nidora::shell {
namespace {

struct MatchCase {
    const char* text;
    const char* pattern;
    bool ignoreCase;
    bool wholeWords;
    bool matches;
};

void PrintTo(const MatchCase& c, std::ostream* os)
{
    *os << '"' << c.pattern << "\" in \"" << c.text << '"' << (c.ignoreCase ? " ignoring case" : "")
        << (c.wholeWords ? " as a word" : "");
}

class TextMatcherTest : public ::testing::TestWithParam<MatchCase> { };

TEST_P(TextMatcherTest, FindsThePatternByItsOptions)
{
    const MatchCase& c = GetParam();
    TextMatcher matcher;
    matcher.setIgnoreCase(c.ignoreCase);
    matcher.setWholeWordsOnly(c.wholeWords);
    EXPECT_EQ(matcher.matches(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.matches);
}

INSTANTIATE_TEST_SUITE_P(Options, TextMatcherTest,
    ::testing::Values(MatchCase { "Pérez Ana", "ana", true, false, true },
        MatchCase { "Pérez Ana", "ana", false, false, false },
        MatchCase { "Pérez Ana", "PÉREZ", true, false, true },
        MatchCase { "Mariana", "ana", true, false, true }, MatchCase { "Mariana", "ana", true, true, false },
        MatchCase { "Mariana, Ana", "ana", true, true, true }, MatchCase { "Ana", "", true, false, false }));

} // namespace
} // namespace nidora::shell
