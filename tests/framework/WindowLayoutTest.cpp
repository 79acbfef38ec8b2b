#include "framework/DialogUnits.h"
#include "framework/FontSubstitution.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace nidora::framework {
namespace {

TEST(FontSubstitution, NamedFontsMapToTheMetricCompatibleOnes)
{
    struct Case {
        const char* named;
        const char* installed;
    };
    for (const Case c : { Case { "MS Sans Serif", "Liberation Sans" }, Case { "tahoma", "Liberation Sans" },
             Case { "Arial", "Liberation Sans" }, Case { "Courier New", "Liberation Mono" },
             Case { "Liberation Serif", "Liberation Serif" } })
        EXPECT_EQ(substituteFontFamily(QString::fromLatin1(c.named)), QString::fromLatin1(c.installed))
            << c.named;
}

TEST(DialogUnits, FourUnitsAcrossAreOneAverageCharacterAndEightDownOneLine)
{
    const DialogUnits units(describedFont(QStringLiteral("MS Sans Serif"), 8));
    EXPECT_EQ(units.toPixelsX(4), units.baseWidth());
    EXPECT_EQ(units.toPixelsY(8), units.baseHeight());
    EXPECT_EQ(units.toPixels(DialogRect { 4, 8, 40, 16 }),
        QRect(units.baseWidth(), units.baseHeight(), 10 * units.baseWidth(), 2 * units.baseHeight()));
}

TEST(DialogUnits, LargerFontGivesLargerWindows)
{
    const DialogUnits small(describedFont(QStringLiteral("Tahoma"), 8));
    const DialogUnits large(describedFont(QStringLiteral("Tahoma"), 16));
    EXPECT_GT(large.toPixelsX(100), small.toPixelsX(100));
    EXPECT_GT(large.toPixelsY(100), small.toPixelsY(100));
}

} // namespace
} // namespace nidora::framework
