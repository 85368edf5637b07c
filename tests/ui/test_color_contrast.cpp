#include "ui/ColorContrast.h"

#include <gtest/gtest.h>

// Contrast ratios worked out by hand from the luminance formula: black on white, pure red and blue on white, the
// program's old band colour under white text.
TEST(ColorContrast, RatiosOfKnownPairs)
{
    const struct
    {
        std::uint32_t a, b;
        double ratio;
    } cases[] = {
        {0x000000, 0xFFFFFF, 21.0},  {0xFFFFFF, 0x000000, 21.0},  {0xFF0000, 0xFFFFFF, 3.998},
        {0x0000FF, 0xFFFFFF, 8.592}, {0xFFFFFF, 0xEFEFEF, 1.150}, {0x777777, 0x777777, 1.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_NEAR(ui::contrastRatio(c.a, c.b), c.ratio, 0.005);
    }
}

// A colour readable on its background is kept; one that is not moves towards the scheme's text until it is.
TEST(ColorContrast, ReadableColoursKeepTheirOwnWhereTheyCan)
{
    const struct
    {
        std::uint32_t color, background, text;
        bool kept;
    } cases[] = {
        {0x0000FF, 0xFFFFFF, 0x000000, true}, // blue on white
        {0xFF0000, 0xFFFFFF, 0x000000, false}, // red on white: a darker red
        {0x0000FF, 0x232323, 0xF0F0F0, false}, // blue on a dark scheme: a lighter blue
        {0xF0F0F0, 0xFFFFC0, 0xF0F0F0, false}, // white text on a pale band: text that is not the scheme's
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.color);
        const std::uint32_t shown = ui::readableOn(c.color, c.background, c.text);
        EXPECT_EQ(shown == c.color, c.kept);
        EXPECT_GE(ui::contrastRatio(shown, c.background), ui::kMinimumContrast);
    }
    EXPECT_EQ(ui::blend(0xFFFFFF, 0x000000, 16.0 / 255.0), 0xEFEFEFu);
    EXPECT_EQ(ui::blend(0x102030, 0x102030, 0.5), 0x102030u);
}
