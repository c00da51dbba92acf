#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

class FlatHoverTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(FlatHoverTest, FlatUntilHotSunkenWhenPressed)
{
    expectStyleCase(2, GetParam(), 8, 6);
}

INSTANTIATE_TEST_SUITE_P(
    States, FlatHoverTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false, {}, kFace},
        StyleCase{"hot", 2, false, false,
                  {{0, 0, kWhite}, {7, 0, kShadow}, {0, 5, kShadow}, {7, 5, kShadow}, {3, 3, kFace}}},
        StyleCase{"pressed", 3, false, false,
                  {{0, 0, kShadow}, {7, 0, kWhite}, {7, 5, kWhite}, {3, 3, kFace}}},
        StyleCase{"disabled", 4, false, false, {}, kFace},
        StyleCase{"customNormal", 1, true, false, {}, kCustomBack},
        StyleCase{"customHot", 2, true, false, {{0, 0, kWhite}, {7, 5, kShadow}, {3, 3, kCustomHighlight}}},
        StyleCase{"customPressed", 3, true, false, {{0, 0, kShadow}, {3, 3, kCustomHighlight}}},
        StyleCase{"customDisabled", 4, true, false, {}, kCustomBack}),
    caseName);

} // namespace
} // namespace skin
