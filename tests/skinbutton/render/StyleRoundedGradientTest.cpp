#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

// Without custom colours: a fixed palette.
constexpr Color kBorder = 0x743C00;
constexpr Color kInnerCorner = 0x906E48;
constexpr Color kOuterCorner = 0xA28B6A;
constexpr Color kCornerShade = 0xCAC7BF;

// With custom colours every shade is BackColor (40 80 20) shifted: S(d).
constexpr Color S(int d) { return shifted(kCustomBack, d); }
// The system highlight (00 78 D7) shifted, for the focus ring.
constexpr Color R(int d) { return shifted(kHighlightRgb, d); }

class RoundedGradientTest : public ::testing::TestWithParam<StyleCase> {};

// Each case at an even and an odd height. (5,1) and (5,H-2) show the ring rows, (1,2) the ring
// columns, (0,0) the surface colour in the cut corner.
TEST_P(RoundedGradientTest, RingBorderAndFacePerState)
{
    expectStyleCase(5, GetParam(), 30, 20);
    expectStyleCase(5, GetParam(), 31, 23);
}

INSTANTIATE_TEST_SUITE_P(
    States, RoundedGradientTest,
    ::testing::Values(
        StyleCase{"standardNormal", 1, false, false,
                  {{0, 0, kFace}, {1, 0, kOuterCorner}, {5, 0, kBorder}, {-1, 5, kBorder}, {1, 1, kInnerCorner},
                   {2, 1, kCornerShade}, {1, 2, kCornerShade}, {5, 1, 0xFBFCFC}, {-3, 3, 0xFAFBFB},
                   {-2, 3, 0xF2F4F5}, {-1, -1, kFace}}},
        // the focus ring shows whatever ShowFocus says; hot wins over focus
        StyleCase{"standardFocus", 1, false, true,
                  {{5, 1, 0xFFE7CE}, {5, 2, 0xF6D4BC}, {5, -3, 0xE4AD89}, {5, -2, 0xEE8269}, {1, 2, 0xF6D4BC}}},
        StyleCase{"standardHot", 2, false, false,
                  {{5, 1, 0xCFF0FF}, {5, 2, 0x89D8FD}, {5, -3, 0x30B3F8}, {5, -2, 0x1097E5}, {1, 2, 0x89D8FD},
                   {1, -3, 0x30B3F8}, {-2, 2, 0x89D8FD}, {5, 0, kBorder}}},
        StyleCase{"standardHotFocus", 2, false, true, {{5, 1, 0xCFF0FF}, {5, -2, 0x1097E5}}},
        StyleCase{"standardPressedFocus", 3, false, true,
                  {{0, 0, kFace}, {5, 1, 0xC1CCD1}, {1, 3, 0xCED8DA}, {2, 4, 0xCED8DA}, {5, 0, kBorder},
                   {1, 2, kCornerShade}, {1, 1, kInnerCorner}}},
        StyleCase{"standardDisabled", 4, false, false,
                  {{0, 0, 0xBAC7C9}, {5, 5, 0xEAF4F5}, {5, 0, 0xBAC7C9}, {1, 1, 0xC7D5D8}, {0, 1, 0xC7D5D8},
                   {-2, -1, 0xC7D5D8}}},
        // custom: the right border runs the full height, the corner shade repaints two of its pixels
        StyleCase{"customNormal", 1, true, false,
                  {{0, 0, kCustomBack}, {5, 0, S(-128)}, {1, 0, S(-21)}, {-1, 0, S(-128)}, {-1, 1, S(-21)},
                   {-1, -1, S(-128)}, {5, 1, S(5)}, {1, 2, S(2)}, {5, -2, S(-37)}, {5, -4, S(-16)}}},
        StyleCase{"customFocusWithoutShowFocus", 1, true, true, {{5, 1, S(5)}, {5, -2, S(-37)}}},
        StyleCase{"customShownFocus", 1, true, true,
                  {{5, 1, R(85)}, {5, 2, R(69)}, {5, -3, R(16)}, {5, -2, R(0)}, {1, 2, R(69)}},
                  kInvalidColor, true},
        // hover rings take HighlightColor (C0 30 60), focus or not
        StyleCase{"customHotFocus", 2, true, true,
                  {{5, 1, rgb(0xFF, 0x85, 0xB5)}, {5, -2, kCustomHighlight}, {1, 2, rgb(0xFF, 0x75, 0xA5)}},
                  kInvalidColor, true},
        StyleCase{"customPressed", 3, true, true,
                  {{5, 0, S(-128)}, {1, 1, S(-96)}, {2, 1, S(-48)}, {1, 2, S(-48)}, {-2, -3, S(18)},
                   {5, 1, S(-37)}, {0, 0, kFace}},
                  kInvalidColor, true},
        StyleCase{"customDisabled", 4, true, false,
                  {{5, 5, kCustomBack}, {5, 0, S(-64)}, {0, 0, S(-64)}, {1, 1, S(-53)}, {-2, -1, S(-53)}}}),
    caseName);

TEST(RoundedGradientTest, DesignTimeKeepsTheRestingLook)
{
    ButtonLook look = buttonLook(5, 1, 30, 20);
    look.userMode = false;
    EXPECT_EQ(render(look).surface.pixel(5, 1), Color(0xFBFCFC));
}

TEST(RoundedGradientTest, PressedKeepsTheSurfaceColourOfThePreviousLook)
{
    Surface surface(30, 20);
    NoThemePainter theme;
    const ButtonLook resting = withCustomColors(buttonLook(5, 1, 30, 20));
    refreshButton(resting, surface, SystemColors::reference(), theme);
    ButtonLook pressed = resting;
    pressed.state = StatePressed;
    const RefreshResult result = refreshButton(pressed, surface, SystemColors::reference(), theme);
    EXPECT_EQ(surface.pixel(0, 0), kCustomBack);
    EXPECT_EQ(result.surfaceBackColor, kCustomBack);
}

TEST(RoundedGradientTest, ShiftsClampAtBlackAndWhite)
{
    ButtonLook black = withCustomColors(buttonLook(5, 1, 30, 20));
    black.backColor = kBlack;
    const Rendered dark = render(black);
    EXPECT_EQ(dark.surface.pixel(5, 0), kBlack);  // border S(-128)
    EXPECT_EQ(dark.surface.pixel(5, 10), kBlack); // face from black to black
    EXPECT_EQ(dark.surface.pixel(5, 1), rgb(5, 5, 5));

    ButtonLook white = black;
    white.backColor = kWhite;
    const Rendered light = render(white);
    EXPECT_EQ(light.surface.pixel(5, 1), kWhite);             // S(+5)
    EXPECT_EQ(light.surface.pixel(5, 0), rgb(127, 127, 127)); // S(-128)
}

} // namespace
} // namespace skin
