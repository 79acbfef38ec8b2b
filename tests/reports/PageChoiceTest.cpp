#include "reports/PageChoice.h"

#include <gtest/gtest.h>

#include <numeric>

namespace nidora::reports {
namespace {

using Pages = std::vector<int>;

TEST(PageChoice, ChoosesAllMarkedUnmarkedOrARange)
{
    const std::vector<bool> marks { false, true, false, true, false };
    const struct {
        PageChoice choice;
        Pages pages;
    } cases[] = {
        { { PageRange::All }, { 1, 2, 3, 4, 5 } },
        { { PageRange::Marked }, { 2, 4 } },
        { { PageRange::Unmarked }, { 1, 3, 5 } },
        { { PageRange::Range, 2, 4 }, { 2, 3, 4 } },
        { { PageRange::Range, 3, 3 }, { 3 } },
        { { PageRange::Range, 4, 2 }, {} },
        { { PageRange::Range, 4, 99 }, { 4, 5 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(choosePages(marks, c.choice), c.pages);
    EXPECT_TRUE(choosePages({ false, false }, { PageRange::Marked }).empty());
}

TEST(PageChoice, CopiesAreCollatedOrNot)
{
    EXPECT_EQ(expandCopies({ 1, 2, 3 }, 3, true), Pages({ 1, 2, 3, 1, 2, 3, 1, 2, 3 }));
    EXPECT_EQ(expandCopies({ 1, 2, 3 }, 3, false), Pages({ 1, 1, 1, 2, 2, 2, 3, 3, 3 }));
    EXPECT_EQ(expandCopies({ 1, 2, 3 }, 1, false), Pages({ 1, 2, 3 }));
    EXPECT_EQ(expandCopies({ 2, 4 }, 2, true), Pages({ 2, 4, 2, 4 }));
}

TEST(PageChoice, AFaceUpPrinterGetsTheLastPageFirst)
{
    const std::vector<bool> three(3, false);
    EXPECT_EQ(printOrder(three, { .copies = 3, .collate = true, .faceUp = true }),
        Pages({ 3, 2, 1, 3, 2, 1, 3, 2, 1 }));
    EXPECT_EQ(printOrder(three, { .copies = 3, .collate = false, .faceUp = true }),
        Pages({ 3, 3, 3, 2, 2, 2, 1, 1, 1 }));
    EXPECT_EQ(
        printOrder(three, { .copies = 2, .collate = true, .faceUp = false }), Pages({ 1, 2, 3, 1, 2, 3 }));

    Pages many(300);
    std::iota(many.begin(), many.end(), 1);
    Pages reversed = many;
    reverseForFaceUp(reversed, true);
    EXPECT_EQ(reversed.front(), 300);
    EXPECT_TRUE(std::equal(reversed.rbegin(), reversed.rend(), many.begin()));
    Pages one { 7 };
    reverseForFaceUp(one, true);
    EXPECT_EQ(one, Pages({ 7 }));
}

} // namespace
} // namespace nidora::reports
