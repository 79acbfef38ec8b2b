#include "framework/Colour.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

namespace nidora::colour {
namespace {

TEST(Colour, StoredValuesHoldRedInTheLowestByte)
{
    static_assert(fromRgb(0x12, 0x34, 0x56) == 0x00563412u);
    struct Case {
        quint32 value;
        QColor colour;
    };
    const Case cases[] = {
        { 0x000000FFu, QColor(255, 0, 0) },
        { 0x0000FF00u, QColor(0, 255, 0) },
        { 0x00FF0000u, QColor(0, 0, 255) },
        { 0x00563412u, QColor(0x12, 0x34, 0x56) },
        { 0x00FFFFFFu, QColor(Qt::white) },
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(isSystemColour(c.value));
        EXPECT_EQ(toQColor(c.value), c.colour) << std::hex << c.value;
        EXPECT_EQ(fromQColor(c.colour), c.value) << std::hex << c.value;
    }
    EXPECT_EQ(fromQColor(QColor(1, 2, 3, 10)), fromRgb(1, 2, 3));
}

TEST(Colour, AnyOfTheFourHighestBitsNamesASystemColour)
{
    for (quint32 flag : { 0x80000000u, 0x40000000u, 0x20000000u, 0x10000000u }) {
        EXPECT_TRUE(isSystemColour(flag | 13));
        EXPECT_EQ(systemColourIndex(flag | 13), 13);
    }
    EXPECT_FALSE(isSystemColour(0x0FFFFFFFu));
    EXPECT_EQ(systemColour(ButtonFace), 0x8000000Fu);
}

TEST(Colour, SystemColoursFollowTheApplicationPalette)
{
    const QPalette palette = QGuiApplication::palette();
    struct Case {
        int index;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    const Case cases[] = {
        { Window, QPalette::Active, QPalette::Base },
        { WindowText, QPalette::Active, QPalette::Text },
        { Highlight, QPalette::Active, QPalette::Highlight },
        { HighlightText, QPalette::Active, QPalette::HighlightedText },
        { ButtonFace, QPalette::Active, QPalette::Button },
        { ButtonText, QPalette::Active, QPalette::ButtonText },
        { GrayText, QPalette::Disabled, QPalette::Text },
        { InfoBackground, QPalette::Active, QPalette::ToolTipBase },
        { MenuText, QPalette::Active, QPalette::WindowText },
    };
    for (const Case& c : cases)
        EXPECT_EQ(toQColor(systemColour(c.index)), palette.color(c.group, c.role)) << c.index;
}

TEST(Colour, SystemColoursWithoutAPaletteRoleAreFixedAndUnknownOnesBlack)
{
    for (int index : { int(Background), int(GradientActiveCaption), int(GradientInactiveCaption) })
        EXPECT_TRUE(toQColor(systemColour(index)).isValid()) << index;
    EXPECT_NE(toQColor(systemColour(GradientActiveCaption)), toQColor(systemColour(GradientInactiveCaption)));
    for (int index : { 25, 31, 200 })
        EXPECT_EQ(toQColor(systemColour(index)), QColor(Qt::black)) << index;
}

} // namespace
} // namespace nidora::colour
