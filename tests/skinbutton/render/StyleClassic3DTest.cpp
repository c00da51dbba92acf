#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

class Classic3DTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(Classic3DTest, RaisedEdgeSunkenWhenPressed)
{
    expectStyleCase(0, GetParam(), 8, 6);
}

// (0,0) and (7,5) outer corners, (1,1) and (6,4) inner corners, (3,3) the face
INSTANTIATE_TEST_SUITE_P(
    States, Classic3DTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false,
                  {{0, 0, kLight}, {7, 0, kDarkShadow}, {7, 5, kDarkShadow}, {1, 1, kWhite},
                   {6, 1, kShadow}, {6, 4, kShadow}, {3, 3, kFace}}},
        StyleCase{"hot", 2, false, false,
                  {{0, 0, kLight}, {7, 5, kDarkShadow}, {1, 1, kWhite}, {3, 3, kFace}}},
        StyleCase{"pressed", 3, false, false,
                  {{0, 0, kShadow}, {7, 0, kWhite}, {7, 5, kWhite}, {1, 1, kDarkShadow},
                   {6, 1, kLight}, {6, 4, kLight}, {3, 3, kFace}}},
        StyleCase{"disabled", 4, false, false,
                  {{0, 0, kLight}, {7, 5, kDarkShadow}, {1, 1, kWhite}, {3, 3, kFace}}},
        StyleCase{"customNormal", 1, true, false, {{0, 0, kLight}, {3, 3, kCustomBack}}},
        StyleCase{"customHot", 2, true, false, {{0, 0, kLight}, {3, 3, kCustomHighlight}}},
        StyleCase{"customPressed", 3, true, false, {{0, 0, kShadow}, {3, 3, kCustomHighlight}}},
        // a disabled classic button takes the highlight colour, unlike the thin and flat styles
        StyleCase{"customDisabled", 4, true, false, {{0, 0, kLight}, {3, 3, kCustomHighlight}}}),
    caseName);

} // namespace
} // namespace skin
