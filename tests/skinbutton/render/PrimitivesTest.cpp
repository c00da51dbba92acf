#include "skinbutton/render/Primitives.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace skin {
namespace {

constexpr Color kInk = rgb(0xFF, 0, 0);
const std::map<char, Color> kInkLegend = {{'.', 0}, {'#', kInk}};

Surface blank(int width, int height)
{
    Surface surface(width, height);
    surface.setBackColor(0);
    return surface;
}

struct LineCase {
    int x1, y1, x2, y2;
    std::vector<std::string> pixels;
};

class DrawLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DrawLineTest, PaintsUpToButNotIncludingTheEnd)
{
    const LineCase& c = GetParam();
    Surface surface = blank(int(c.pixels[0].size()), int(c.pixels.size()));
    DrawLine(surface, c.x1, c.y1, c.x2, c.y2, kInk);
    test::expectPixels(surface, c.pixels, kInkLegend);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, DrawLineTest,
    ::testing::Values(LineCase{0, 0, 5, 0, {"#####.", "......"}},
                      LineCase{5, 1, 0, 1, {"......", ".#####"}},
                      LineCase{1, 0, 1, 3, {".#..", ".#..", ".#..", "...."}},
                      LineCase{2, 3, 2, 0, {"....", "..#.", "..#.", "..#."}},
                      LineCase{2, 2, 2, 2, {"....", "....", "....", "...."}},
                      LineCase{0, 0, 4, 4, {"#....", ".#...", "..#..", "...#.", "....."}},
                      LineCase{0, 4, 4, 0, {".....", "...#.", "..#..", ".#...", "#...."}},
                      LineCase{-2, 1, 3, 1, {"....", "###.", "...."}}));

TEST(DrawBoxTest, OutlineIsOnePixelLargerThanItsSize)
{
    Surface surface = blank(11, 6);
    DrawBox(surface, 0, 0, 9, 4, kInk);
    test::expectPixels(surface,
                       {"##########.",
                        "#........#.",
                        "#........#.",
                        "#........#.",
                        "##########.",
                        "..........."},
                       kInkLegend);
}

TEST(FillTest, RightColumnAndBottomRowAreExcluded)
{
    Surface boxed = blank(5, 4);
    FillBox(boxed, 1, 1, 3, 2, kInk);
    const std::vector<std::string> expected = {".....", ".###.", ".###.", "....."};
    test::expectPixels(boxed, expected, kInkLegend);

    Surface rect = blank(5, 4);
    FillRectSolid(rect, Rect{1, 1, 4, 3}, kInk);
    test::expectPixels(rect, expected, kInkLegend);
}

TEST(FillTest, EmptyOrInvertedRectanglesPaintNothing)
{
    Surface surface = blank(4, 4);
    FillRectSolid(surface, Rect{3, 1, 1, 3}, kInk);
    FillBox(surface, 1, 1, 0, 2, kInk);
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 4, 4), kInk), 0);
}

TEST(GradientRowsTest, PaintsStepCountPlusOneRowsFromFirstToSecondColour)
{
    Surface surface = blank(12, 7);
    const Color from = rgb(0, 0, 0);
    const Color to = rgb(100, 200, 40);
    GradientRows(surface, from, to, 1, 1, 10, 4);
    EXPECT_EQ(surface.pixel(1, 1), from);
    EXPECT_EQ(surface.pixel(9, 5), to);
    EXPECT_EQ(surface.pixel(5, 3), rgb(50, 100, 20));
    // columns 1 to 9 only, rows 1 to 5 only
    EXPECT_EQ(surface.pixel(10, 3), 0);
    EXPECT_EQ(surface.pixel(0, 3), 0);
    EXPECT_EQ(surface.pixel(5, 0), 0);
    EXPECT_EQ(surface.pixel(5, 6), 0);
}

TEST(GradientRowsTest, RoundsEachChannelHalfToEven)
{
    // 255 -> 225 in four steps of -7.5: 255, 247.5, 240, 232.5, 225
    Surface surface = blank(3, 5);
    GradientRows(surface, rgb(255, 0, 0), rgb(225, 0, 0), 0, 0, 3, 4);
    const int expected[] = {255, 248, 240, 232, 225};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(redOf(surface.pixel(0, row)), expected[row]) << "row " << row;
}

TEST(GradientRowsTest, StepIsKeptInSinglePrecision)
{
    // 1/6 in single precision is a little above 1/6, so the middle row is just above 0.5
    // and rounds up; a double-precision step would land on 0.5 and round to 0.
    Surface surface = blank(1, 7);
    GradientRows(surface, rgb(0, 0, 0), rgb(1, 0, 0), 0, 0, 1, 6);
    EXPECT_EQ(redOf(surface.pixel(0, 3)), 1);
    EXPECT_EQ(redOf(surface.pixel(0, 2)), 0);
}

TEST(GradientRowsTest, ReversedColumnsPaintLeftOfTheStart)
{
    Surface surface = blank(6, 2);
    GradientRows(surface, kInk, kInk, 4, 0, 1, 1);
    test::expectPixels(surface, {"..###.", "..###."}, kInkLegend);
}

TEST(GradientRowsTest, ZeroStepsDrawOneRowInTheFirstColour)
{
    Surface surface = blank(4, 3);
    GradientRows(surface, kInk, 0x00FF00, 0, 1, 4, 0);
    test::expectPixels(surface, {"....", "####", "...."}, kInkLegend);
}

TEST(GradientRowsTest, NegativeStepsDrawNothing)
{
    Surface surface = blank(4, 3);
    GradientRows(surface, kInk, kInk, 0, 1, 4, -2);
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 4, 3), kInk), 0);
}

TEST(GradientColumnsTest, PaintsOneColumnPerStepIncludingTheLast)
{
    Surface surface = blank(6, 4);
    GradientColumns(surface, rgb(0, 0, 0), rgb(0, 0, 200), 1, 1, 5, 3);
    EXPECT_EQ(surface.pixel(1, 1), rgb(0, 0, 0));
    EXPECT_EQ(surface.pixel(3, 2), rgb(0, 0, 100));
    EXPECT_EQ(surface.pixel(5, 1), rgb(0, 0, 200));
    EXPECT_EQ(surface.pixel(5, 2), rgb(0, 0, 200));
    EXPECT_EQ(surface.pixel(5, 3), 0) << "rows stop before y2";
    EXPECT_EQ(surface.pixel(0, 1), 0);
}

TEST(GradientColumnsTest, EqualCornersDrawOneColumnAndReversedNone)
{
    Surface single = blank(3, 3);
    GradientColumns(single, kInk, 0x00FF00, 1, 0, 1, 3);
    test::expectPixels(single, {".#.", ".#.", ".#."}, kInkLegend);

    Surface reversed = blank(3, 3);
    GradientColumns(reversed, kInk, kInk, 2, 0, 1, 3);
    EXPECT_EQ(test::countPixels(reversed, QRect(0, 0, 3, 3), kInk), 0);
}

TEST(DrawEtchedFrameTest, OffsetOutlinesWithPatchedCorners)
{
    const Color a = rgb(0xA0, 0xA0, 0xA0);
    const Color b = rgb(0xFF, 0xFF, 0xFF);
    const Color face = rgb(0x11, 0x22, 0x33);
    Surface surface = blank(7, 6);
    DrawEtchedFrame(surface, 0, 0, 6, 5, a, b, face);
    test::expectPixels(surface,
                       {"aaaaaaf",
                        "abbbbmb",
                        "ab...ab",
                        "ab...ab",
                        "amaaaab",
                        "fbbbbbb"},
                       {{'.', 0}, {'a', a}, {'b', b}, {'f', face}, {'m', rgb(0xD0, 0xD0, 0xD0)}});
}

TEST(OverflowTest, CoordinateSumsOutOfRangeAreReported)
{
    Surface surface = blank(2, 2);
    EXPECT_THROW(FillBox(surface, INT_MAX - 1, 0, 5, 1, kInk), std::overflow_error);
    EXPECT_THROW(DrawBox(surface, 0, INT_MAX, 1, 1, kInk), std::overflow_error);
    EXPECT_THROW(GradientRows(surface, kInk, kInk, 0, INT_MAX, 1, 2), std::overflow_error);
    EXPECT_THROW(GradientColumns(surface, kInk, kInk, INT_MIN, 0, INT_MAX, 1), std::overflow_error);
}

} // namespace
} // namespace skin
