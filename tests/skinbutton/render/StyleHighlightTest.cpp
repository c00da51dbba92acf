#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

constexpr Color kRestingFace = rgb(241, 241, 241);   // button face tinted by 32
constexpr Color kHotFace = rgb(176, 213, 242);       // highlight tinted by 176
constexpr Color kPressedFace = rgb(128, 187, 235);   // highlight tinted by 128

TEST(HighlightTest, HotButtonIsATintedFaceInsideAHighlightOutline)
{
    const Rendered out = render(buttonLook(4, 2, 6, 5));
    expectPixels(out.surface,
                 {"hhhhhh",
                  "hffffh",
                  "hffffh",
                  "hffffh",
                  "hhhhhh"},
                 {{'h', kHighlightRgb}, {'f', kHotFace}});
}

class HighlightStateTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(HighlightStateTest, EveryPixelIsPainted)
{
    expectStyleCase(4, GetParam(), 6, 5);
}

INSTANTIATE_TEST_SUITE_P(
    States, HighlightStateTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false, {}, kRestingFace},
        StyleCase{"disabled", 4, false, false, {}, kRestingFace},
        StyleCase{"pressed", 3, false, false,
                  {{0, 0, kHighlightRgb}, {5, 4, kHighlightRgb}, {1, 1, kPressedFace}, {4, 3, kPressedFace}}},
        StyleCase{"customNormal", 1, true, false, {}, rgb(87, 143, 59)},
        StyleCase{"customHot", 2, true, false,
                  {{0, 0, kCustomHighlight}, {5, 4, kCustomHighlight}, {2, 2, rgb(235, 190, 205)}}}),
    caseName);

TEST(HighlightTest, NoPixelOfTheOldBackColourSurvives)
{
    for (const int state : {1, 2, 3, 4}) {
        const ButtonLook look = buttonLook(4, state, 9, 7);
        Surface surface(9, 7);
        surface.setBackColor(0x123456);
        NoThemePainter theme;
        refreshButton(look, surface, SystemColors::reference(), theme);
        EXPECT_EQ(countPixels(surface, QRect(0, 0, 9, 7), 0x123456), 0) << "state " << state;
    }
}

} // namespace
} // namespace skin
