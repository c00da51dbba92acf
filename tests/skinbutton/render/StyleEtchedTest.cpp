#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

TEST(EtchedTest, HotButtonFrameBandAndFace)
{
    // A button shadow, W window, m their average where the outlines cross, f the band in the
    // base colour, h the hot face (average of button shadow and face), also in the two
    // protruding corners.
    const Rendered out = render(buttonLook(3, 2, 10, 10));
    expectPixels(out.surface,
                 {"AAAAAAAAAh",
                  "AWWWWWWWmW",
                  "AWffffffAW",
                  "AWffffffAW",
                  "AWffhhffAW",
                  "AWffhhffAW",
                  "AWffffffAW",
                  "AWffffffAW",
                  "AmAAAAAAAW",
                  "hWWWWWWWWW"},
                 {{'A', kShadow}, {'W', kWhite}, {'m', rgb(0xD0, 0xD0, 0xD0)}, {'f', kFace},
                  {'h', rgb(0xC8, 0xC8, 0xC8)}});
}

class EtchedFaceTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(EtchedFaceTest, FaceFollowsTheStateBandTheBaseColour)
{
    expectStyleCase(3, GetParam(), 12, 12);
}

// (2,2) the band, (5,5) the face, (0,0) and (11,11) the frame, (0,11) a protruding corner
INSTANTIATE_TEST_SUITE_P(
    States, EtchedFaceTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false,
                  {{2, 2, kFace}, {5, 5, kFace}, {0, 0, kShadow}, {11, 11, kWhite}, {0, 11, kFace}}},
        StyleCase{"pressed", 3, false, false, {{2, 2, kFace}, {5, 5, kShadow}, {0, 11, kShadow}}},
        StyleCase{"disabled", 4, false, false, {{2, 2, kFace}, {5, 5, kFace}}},
        StyleCase{"customNormal", 1, true, false,
                  {{2, 2, kCustomBack}, {5, 5, kCustomBack}, {0, 0, kShadow}, {11, 11, kWhite}}},
        StyleCase{"customHot", 2, true, false,
                  {{2, 2, kCustomBack}, {5, 5, rgb(0x80, 0x58, 0x40)}, {11, 0, rgb(0x80, 0x58, 0x40)}}},
        StyleCase{"customPressed", 3, true, false, {{2, 2, kCustomBack}, {5, 5, kCustomHighlight}}}),
    caseName);

} // namespace
} // namespace skin
