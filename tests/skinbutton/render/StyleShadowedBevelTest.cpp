#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

constexpr Color kBorder = rgb(0xC0, 0xC0, 0xC0);      // face - 48
constexpr Color kFocusBorder = rgb(0x90, 0x90, 0x90); // face - 96
constexpr Color kBevelShadow = rgb(0xD5, 0xD5, 0xD5); // border + 21
constexpr Color kFocusShadow = rgb(0xA5, 0xA5, 0xA5);
constexpr Color kCorner = rgb(0xE4, 0xE4, 0xE4);      // shadow + 15
constexpr Color kLifted = rgb(0xFF, 0xFF, 0xFF);      // face + 15
constexpr Color kBodyLow = rgb(0xE1, 0xE1, 0xE1);     // face - 15

TEST(ShadowedBevelTest, NormalButtonPixelByPixel)
{
    // f face, R border, w bevel and top body row, 1 3 4 body rows (255 248 240 232 225: the
    // middle row is the face colour itself), S shadow, C outer diagonal
    const Rendered out = render(buttonLook(8, 1, 12, 10));
    expectPixels(out.surface,
                 {"ffRRRRRRRfff",
                  "fRwwwwwwwRff",
                  "RwwwwwwwwfRf",
                  "Rw1111111fRS",
                  "RwffffffffRS",
                  "Rw3333333fRS",
                  "Rw4444444fRS",
                  "fRfffffffRSC",
                  "ffRRRRRRRSCf",
                  "fffSSSSSSCff"},
                 {{'f', kFace}, {'R', kBorder}, {'w', kLifted}, {'1', rgb(248, 248, 248)},
                  {'3', rgb(232, 232, 232)}, {'4', kBodyLow}, {'S', kBevelShadow}, {'C', kCorner}});
}

TEST(ShadowedBevelTest, PressedCustomSwapsBevelAndGradientButNotTheBorder)
{
    // f the face (HighlightColor), a b d e body rows (face -15 up to face +15 in steps of 7.5,
    // the middle row the face itself), B the light bevel now at the bottom; R border, S shadow
    // and C outer diagonal from BackColor
    const Rendered out = render(withCustomColors(buttonLook(8, 3, 12, 10)));
    expectPixels(out.surface,
                 {"ffRRRRRRRfff",
                  "fRfffffffRff",
                  "RfaaaaaaafRf",
                  "RfbbbbbbbfRS",
                  "RfffffffffRS",
                  "RfdddddddfRS",
                  "RfeeeeeeefRS",
                  "fRBBBBBBBRSC",
                  "ffRRRRRRRSCf",
                  "fffSSSSSSCff"},
                 {{'f', kCustomHighlight}, {'a', rgb(177, 33, 81)}, {'b', rgb(184, 40, 88)},
                  {'d', rgb(200, 56, 104)}, {'e', rgb(207, 63, 111)}, {'B', rgb(255, 0x90, 0xC0)},
                  {'R', rgb(0x10, 0x50, 0x00)}, {'S', rgb(0x25, 0x65, 0x15)},
                  {'C', rgb(0x34, 0x74, 0x24)}});
}

class ShadowedBevelStateTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ShadowedBevelStateTest, FaceBorderAndShadowPerState)
{
    expectStyleCase(8, GetParam(), 20, 20);
}

// (0,0) face in the cut corner, (2,0) border, (3,19) shadow, (17,19) outer diagonal,
// (2,1) top bevel, (17,5) the face band inside the right border
INSTANTIATE_TEST_SUITE_P(
    States, ShadowedBevelStateTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false,
                  {{0, 0, kFace}, {2, 0, kBorder}, {3, 19, kBevelShadow}, {17, 19, kCorner},
                   {2, 1, kWhite}, {17, 5, kFace}}},
        StyleCase{"normalFocus", 1, false, true,
                  {{0, 0, kFace}, {2, 0, kFocusBorder}, {1, 1, kFocusBorder},
                   {3, 19, kFocusShadow}, {17, 19, rgb(0xB4, 0xB4, 0xB4)}}},
        StyleCase{"hot", 2, false, false,
                  {{0, 0, kLifted}, {2, 0, kBorder}, {17, 5, kLifted}, {2, 2, kLifted},
                   {2, 16, rgb(0xF0, 0xF0, 0xF0)}}},
        StyleCase{"hotFocus", 2, false, true, {{0, 0, kLifted}, {2, 0, kFocusBorder}}},
        // focus never darkens the pressed border
        StyleCase{"pressedFocus", 3, false, true,
                  {{0, 0, kLifted}, {2, 0, kBorder}, {3, 19, kBevelShadow}, {2, 1, kLifted}}},
        // disabled looks hot; only the caption tells them apart
        StyleCase{"disabled", 4, false, false, {{0, 0, kLifted}, {2, 0, kBorder}, {17, 5, kLifted}}},
        StyleCase{"disabledFocus", 4, false, true, {{2, 0, kFocusBorder}}},
        // custom: the hot face is HighlightColor itself; border and shadow follow BackColor
        StyleCase{"customNormal", 1, true, false,
                  {{0, 0, kCustomBack}, {2, 0, rgb(0x10, 0x50, 0x00)}, {3, 19, rgb(0x25, 0x65, 0x15)}}},
        StyleCase{"customHot", 2, true, false,
                  {{0, 0, kCustomHighlight}, {17, 5, kCustomHighlight}, {2, 0, rgb(0x10, 0x50, 0x00)},
                   {3, 19, rgb(0x25, 0x65, 0x15)}}}),
    caseName);

} // namespace
} // namespace skin
