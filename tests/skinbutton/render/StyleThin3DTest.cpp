#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

class Thin3DTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(Thin3DTest, OnePixelEdgeFlatWhenDisabled)
{
    expectStyleCase(1, GetParam(), 8, 6);
}

INSTANTIATE_TEST_SUITE_P(
    States, Thin3DTest,
    ::testing::Values(
        StyleCase{"normal", 1, false, false,
                  {{0, 0, kWhite}, {7, 0, kShadow}, {0, 5, kShadow}, {7, 5, kShadow}, {1, 1, kFace},
                   {6, 4, kFace}}},
        StyleCase{"hot", 2, false, false, {{0, 0, kWhite}, {7, 5, kShadow}, {1, 1, kFace}}},
        StyleCase{"pressed", 3, false, false,
                  {{0, 0, kShadow}, {7, 0, kWhite}, {0, 5, kWhite}, {7, 5, kWhite}, {1, 1, kFace}}},
        StyleCase{"disabled", 4, false, false, {}, kFace},
        StyleCase{"customNormal", 1, true, false, {{0, 0, kWhite}, {3, 3, kCustomBack}}},
        StyleCase{"customHot", 2, true, false, {{0, 0, kWhite}, {3, 3, kCustomHighlight}}},
        StyleCase{"customPressed", 3, true, false, {{0, 0, kShadow}, {3, 3, kCustomHighlight}}},
        StyleCase{"customDisabled", 4, true, false, {}, kCustomBack}),
    caseName);

} // namespace
} // namespace skin
