#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

// The face with custom colours at rest: BackColor (40 80 20) - 15 = 31 71 11, shifted.
constexpr Color F(int d) { return shifted(shifted(kCustomBack, -15), d); }

class GlossyTileTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(GlossyTileTest, RimsEndsAndFacePerState)
{
    expectStyleCase(9, GetParam(), 30, 20);
    expectStyleCase(9, GetParam(), 31, 25);
}

INSTANTIATE_TEST_SUITE_P(
    States, GlossyTileTest,
    ::testing::Values(
        StyleCase{"customNormal", 1, true, false,
                  {{0, 0, F(128)}, {-2, 0, F(128)}, {-1, 0, F(128)}, {1, 0, F(0)}, {5, 0, F(48)}, {1, 1, F(48)},
                   {10, 1, F(0)}, {-2, 1, F(48)}, {6, 3, F(128)}, {10, 2, F(32)}, {-11, 2, F(32)}, {-4, 2, F(0)},
                   {5, -1, F(-16)}, {5, -2, F(-128)}, {7, -3, F(0)}, {1, -3, F(-112)}, {-3, -3, F(-112)},
                   {-4, -1, F(-21)}, {-3, -2, F(-21)}, {-2, -3, F(-21)}}},
        // only the face colour changes: HighlightColor + 1 hot, + 24 pressed; BackColor + 15 disabled
        StyleCase{"customHot", 2, true, false, {{10, 1, rgb(0xC1, 0x31, 0x61)}, {1, 0, rgb(0xC1, 0x31, 0x61)}}},
        StyleCase{"customPressed", 3, true, false, {{10, 1, rgb(0xD8, 0x48, 0x78)}}},
        StyleCase{"customDisabled", 4, true, true, {{10, 1, rgb(0x4F, 0x8F, 0x2F)}}},
        StyleCase{"normal", 1, false, false, {{10, 1, rgb(0xE1, 0xE1, 0xE1)}, {0, 0, kWhite}}},
        StyleCase{"hot", 2, false, false, {{10, 1, rgb(0xF1, 0xF1, 0xF1)}}}),
    caseName);

TEST(GlossyTileTest, FocusChangesNothingWithShowFocusOff)
{
    ButtonLook look = withCustomColors(buttonLook(9, 1, 30, 20));
    const QImage plain = render(look).surface.image();
    look.hasFocus = true;
    EXPECT_EQ(render(look).surface.image(), plain);
    look.hasFocus = false;
    look.showFocus = true;
    EXPECT_EQ(render(look).surface.image(), plain);
}

// SkinButton 4: the glossy tile had no focus look; with ShowFocus on it gets the inner focus
// rectangle (see FocusTest.cpp for its contrast in every style).
TEST(GlossyTileTest, FocusWithShowFocusOnDrawsTheInnerRectangleOnly)
{
    ButtonLook look = withCustomColors(buttonLook(9, 1, 30, 20));
    const QImage plain = render(look).surface.image();
    look.hasFocus = true;
    look.showFocus = true;
    const QImage focused = render(look).surface.image();
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const bool onRectangle = (x == 3 || x == 26 || y == 3 || y == 16) && x >= 3 && x <= 26 && y >= 3 && y <= 16;
            if (!onRectangle) {
                EXPECT_EQ(focused.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_NE(focused, plain);
}

TEST(GlossyTileTest, AnOddHeightRoundsStartRowAndCountSeparately)
{
    // height 25: column 5's lower half starts at H/2-4 = 8.5 -> row 8 and runs H/2-3 = 9.5 -> 10
    // steps from F+5 to F-5, so row 17 (step 9) is F-4
    const Rendered out = render(withCustomColors(buttonLook(9, 1, 30, 25)));
    EXPECT_EQ(out.surface.pixel(5, 8), F(5));
    EXPECT_EQ(out.surface.pixel(5, 17), F(-4));
}

} // namespace
} // namespace skin
