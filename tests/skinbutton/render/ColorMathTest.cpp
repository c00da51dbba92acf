#include "skinbutton/render/ColorMath.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

struct ColorCase {
    Color input;
    int argument;
    Color expected;
};

class LightenColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(LightenColorTest, TintsEachChannelTowardWhite)
{
    const ColorCase& c = GetParam();
    EXPECT_EQ(LightenColor(c.input, c.argument), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Amounts, LightenColorTest,
                         ::testing::Values(ColorCase{0x000000, 32, 0x202020},
                                           ColorCase{0x808080, 128, 0xBFBFBF},
                                           ColorCase{0x123456, 0, 0x123456},
                                           ColorCase{0xFFFFFF, 176, 0xFFFFFF},
                                           // 128 + 127 * 0x78 div 255 = 187, 128 + 127 * 0xD7 div 255 = 235
                                           ColorCase{rgb(0x00, 0x78, 0xD7), 128, rgb(128, 187, 235)},
                                           ColorCase{rgb(0xF0, 0xF0, 0xF0), 32, rgb(241, 241, 241)},
                                           ColorCase{0x0000FF, 255, 0xFFFFFF}));

class ShiftColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ShiftColorTest, MovesEachChannelWithinZeroTo255)
{
    const ColorCase& c = GetParam();
    EXPECT_EQ(ShiftColor(c.input, c.argument), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Deltas, ShiftColorTest,
                         ::testing::Values(ColorCase{0x0A0A0A, -37, 0x000000},
                                           ColorCase{0xF0F0F0, 21, 0xFFFFFF},
                                           ColorCase{rgb(10, 200, 100), 96, rgb(106, 255, 196)},
                                           ColorCase{rgb(10, 200, 100), -128, rgb(0, 72, 0)},
                                           ColorCase{0x123456, 0, 0x123456}));

TEST(BlendColorsTest, AveragesChannelsWithHalvesToEven)
{
    EXPECT_EQ(BlendColors(0x000001, 0x000002), 0x000002);
    EXPECT_EQ(BlendColors(0x000002, 0x000003), 0x000002);
    EXPECT_EQ(BlendColors(0x010000, 0x020000), 0x020000);
    EXPECT_EQ(BlendColors(0x000200, 0x000300), 0x000200);
    EXPECT_EQ(BlendColors(rgb(0xA0, 0xA0, 0xA0), rgb(0xF0, 0xF0, 0xF0)), rgb(0xC8, 0xC8, 0xC8));
    EXPECT_EQ(BlendColors(0xFFFFFF, rgb(0xA0, 0xA0, 0xA0)), rgb(0xD0, 0xD0, 0xD0));
}

} // namespace
} // namespace skin
