#include "skinbutton/render/Edge.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;

// L 3-D light, D 3-D dark shadow, W button highlight, S button shadow, . untouched
const std::map<char, Color> kLegend = {
    {'.', 0}, {'L', kLight}, {'D', kDarkShadow}, {'W', kWhite}, {'S', kShadow}};

struct EdgeCase {
    const char* name;
    int edge;
    std::vector<std::string> pixels;
};

class DrawEdgeBoxTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(DrawEdgeBoxTest, BottomRightColourOwnsTheOffCorners)
{
    const EdgeCase& c = GetParam();
    Surface surface(7, 5);
    surface.setBackColor(0);
    DrawEdgeBox(surface, SystemColors::reference(), 0, 0, 7, 5, c.edge, kSideAll);
    expectPixels(surface, c.pixels, kLegend);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DrawEdgeBoxTest,
    ::testing::Values(EdgeCase{"raised", kEdgeRaised,
                               {"LLLLLLD",
                                "LWWWWSD",
                                "LW...SD",
                                "LSSSSSD",
                                "DDDDDDD"}},
                      EdgeCase{"sunken", kEdgeSunken,
                               {"SSSSSSW",
                                "SDDDDLW",
                                "SD...LW",
                                "SLLLLLW",
                                "WWWWWWW"}},
                      EdgeCase{"raisedInner", kEdgeRaisedInner,
                               {"WWWWWWS",
                                "W.....S",
                                "W.....S",
                                "W.....S",
                                "SSSSSSS"}},
                      EdgeCase{"sunkenOuter", kEdgeSunkenOuter,
                               {"SSSSSSW",
                                "S.....W",
                                "S.....W",
                                "S.....W",
                                "WWWWWWW"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DrawEdgeBoxFloatTest, SumsAreFormedBeforeRounding)
{
    // left 0.5 -> 0, right 0.5 + 2.5 = 3.0 -> 3 (rounding each part first would give 2)
    Surface surface(5, 3);
    surface.setBackColor(0);
    DrawEdgeBox(surface, SystemColors::reference(), 0.5, 0, 2.5, 3, kEdgeRaisedInner, kSideAll);
    expectPixels(surface, {"WWS..", "W.S..", "SSS.."}, kLegend);
}

TEST(DrawEdgeBoxSidesTest, OnlyTheRequestedSidesArePainted)
{
    Surface surface(4, 3);
    surface.setBackColor(0);
    DrawEdgeBox(surface, SystemColors::reference(), 0, 0, 4, 3, kEdgeRaisedInner,
                kSideTop | kSideRight);
    expectPixels(surface, {"WWWS", "...S", "...S"}, kLegend);
}

TEST(DrawEdgeBoxSmallTest, TinyRectanglesStayInsideThemselves)
{
    Surface surface(3, 3);
    surface.setBackColor(0);
    DrawEdgeBox(surface, SystemColors::reference(), 1, 1, 1, 1, kEdgeRaised, kSideAll);
    // a one-pixel rectangle: the outer layer's bottom-right colour wins, the inner layer is empty
    expectPixels(surface, {"...", ".D.", "..."}, kLegend);
}

} // namespace
} // namespace skin
