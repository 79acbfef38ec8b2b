#include "core/TextClip.h"

#include <gtest/gtest.h>

namespace nidora {
namespace {

// Only the padding on the right goes: a field's leading and inner blanks are its text.
TEST(TextClip, DropsOnlyTheTrailingBlanks)
{
    const struct {
        const char* text;
        const char* clipped;
    } cases[] = {
        { "", "" },
        { "     ", "" },
        { "Otitis    ", "Otitis" },
        { "  Otitis media  ", "  Otitis media" },
        { "Otitis\t", "Otitis\t" },
    };
    for (const auto& each : cases)
        EXPECT_EQ(clipped(QString::fromUtf8(each.text)), QString::fromUtf8(each.clipped)) << each.text;
}

} // namespace
} // namespace nidora
