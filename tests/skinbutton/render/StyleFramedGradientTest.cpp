#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

constexpr Color grey(int v) { return shifted(kBlack, v); }
// The system highlight (00 78 D7) shifted.
constexpr Color L(int d) { return shifted(kHighlightRgb, d); }
// BackColor (40 80 20) shifted.
constexpr Color B(int d) { return shifted(kCustomBack, d); }

class FramedGradientTest : public ::testing::TestWithParam<StyleCase> {};

// The button face is F0: normal face F8 (outline 98), hot FF (clamped; outline 9F), pressed E7
// (outline 87), disabled FF. (5,1) and (5,H-2) are the inner lines or the highlight frame.
TEST_P(FramedGradientTest, FaceOutlineAndFramePerState)
{
    expectStyleCase(7, GetParam(), 30, 20);
    expectStyleCase(7, GetParam(), 31, 23);
}

INSTANTIATE_TEST_SUITE_P(
    States, FramedGradientTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false,
                  {{0, 0, grey(0xF8)}, {0, -1, grey(0xF8)}, {5, 0, grey(0x98)}, {-1, 0, grey(0x98)}, {-1, -1, grey(0x98)},
                   {1, 1, grey(0x98)}, {1, 0, grey(0xF0 - 21)}, {-1, 1, grey(0xF0 - 21)}, {0, -2, grey(0xF0 - 21)},
                   {5, 1, grey(0xFF)}, {5, -2, grey(0xF0 - 37)}, {-2, 2, grey(0xF8 - 5)}, {1, -3, grey(0xF8 - 21)}}},
        // focus: the highlight frame over the inner lines; ShowFocus is not read
        StyleCase{"normalFocus", 1, false, true,
                  {{5, 1, L(21)}, {1, 2, L(21)}, {-2, 2, L(21)}, {5, -3, L(-5)}, {5, -2, L(-21)}, {0, 0, grey(0xF8)}}},
        StyleCase{"hot", 2, false, false,
                  {{0, 0, grey(0xFF)}, {5, 0, grey(0x9F)}, {5, 1, L(21)}, {5, -2, L(-21)}, {1, 0, grey(0xF0 - 21)}}},
        // pressed: no frame even with the focus, darker inner top line, strips swapped
        StyleCase{"pressedFocus", 3, false, true,
                  {{0, 0, kFace}, {5, 0, grey(0x87)}, {5, 1, grey(0xF0 - 21)}, {5, -2, grey(0xF8)},
                   {1, 2, grey(0xE7 - 32)}, {-2, 2, grey(0xE7 - 21)}, {1, -3, grey(0xE7 - 5)}}},
        StyleCase{"disabledFocus", 4, false, true,
                  {{0, 0, grey(0xFF)}, {5, 0, grey(0x9F)}, {1, 0, grey(0xF5)}, {5, 1, grey(0xFF)}, {5, -2, grey(0xF0 - 37)}}},
        // custom: the face follows BackColor, only the frame HighlightColor (C0 30 60)
        StyleCase{"customNormal", 1, true, false,
                  {{0, 0, B(8)}, {5, 0, rgb(0, 0x28, 0)}, {1, 0, B(-21)}, {5, 1, B(21)}, {5, -2, B(-37)}}},
        StyleCase{"customHot", 2, true, false,
                  {{0, 0, B(24)}, {5, 1, rgb(0xD5, 0x45, 0x75)}, {5, -3, rgb(0xBB, 0x2B, 0x5B)}, {5, -2, rgb(0xAB, 0x1B, 0x4B)}}}),
    caseName);

TEST(FramedGradientTest, PressedBodyDarkensTowardTheTop)
{
    // F = BackColor - 9 = 37 77 17: row 1 is F-15, row H-1 would be F (the outline covers it)
    const Rendered out = render(withCustomColors(buttonLook(7, 3, 30, 20)));
    EXPECT_EQ(out.surface.pixel(10, 1), B(-21)); // the inner line
    EXPECT_EQ(out.surface.pixel(10, 2), rgb(0x29, 0x69, 0x09));  // step 1 of 18 from F-15 (28 68 08) to F
    EXPECT_EQ(out.surface.pixel(10, 17), rgb(0x35, 0x75, 0x15)); // step 16 of 18
}

TEST(FramedGradientTest, PressedKeepsTheSurfaceColourOfThePreviousLook)
{
    Surface surface(30, 20);
    NoThemePainter theme;
    ButtonLook look = buttonLook(7, 2, 30, 20);
    refreshButton(look, surface, SystemColors::reference(), theme);
    look.state = StatePressed;
    refreshButton(look, surface, SystemColors::reference(), theme);
    EXPECT_EQ(surface.pixel(0, 0), kWhite); // the hot face, clamped
    EXPECT_EQ(surface.pixel(0, 19), kWhite);
    EXPECT_EQ(surface.backColor(), kWhite);
}

TEST(FramedGradientTest, AStateOutsideTheTablePaintsNothing)
{
    const Rendered out = render(buttonLook(7, 0, 30, 20));
    EXPECT_EQ(countPixels(out.surface, QRect(0, 0, 30, 20), kFace), 30 * 20);
}

} // namespace
} // namespace skin
