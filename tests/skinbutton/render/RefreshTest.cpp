#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QPalette>

namespace skin {
namespace {

using namespace skin::test;

bool sameImage(const Surface& a, const Surface& b) { return a.image() == b.image(); }

struct OverrideCase {
    const char* name;
    int style;
    int state;
    bool designing;
    int buttonType;
    bool value;
    bool enabled;
    int expectedState;
};

class RefreshOverrideTest : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(RefreshOverrideTest, SettlesTheVisualStateAndPaintsIt)
{
    const OverrideCase& c = GetParam();
    ButtonLook look = buttonLook(c.style, c.state, 12, 10);
    look.userMode = !c.designing;
    look.buttonType = c.buttonType;
    look.value = c.value;
    look.enabled = c.enabled;
    const Rendered out = render(look);
    EXPECT_EQ(out.result.state, c.expectedState);

    // the picture is that of a running, enabled button in the settled state
    ButtonLook plain = buttonLook(c.style, c.expectedState, 12, 10);
    plain.enabled = c.expectedState != 4;
    EXPECT_TRUE(sameImage(out.surface, render(plain).surface));
}

INSTANTIATE_TEST_SUITE_P(
    Overrides, RefreshOverrideTest,
    ::testing::Values(OverrideCase{"designClassic", 0, 1, true, 0, false, true, 2},
                      OverrideCase{"designThin", 1, 3, true, 0, false, true, 2},
                      OverrideCase{"designFlat", 2, 1, true, 0, false, true, 2},
                      OverrideCase{"designEtched", 3, 1, true, 0, false, true, 2},
                      OverrideCase{"designHighlight", 4, 1, true, 0, false, true, 2},
                      OverrideCase{"designBevel", 8, 1, true, 0, false, true, 2},
                      OverrideCase{"designFramed", 7, 1, true, 0, false, true, 2},
                      OverrideCase{"designGlossy", 9, 3, true, 0, false, true, 2},
                      OverrideCase{"designGel", 10, 1, true, 0, false, true, 2},
                      OverrideCase{"designUnknownStyle", 42, 1, true, 0, false, true, 2},
                      // the rounded gradient keeps its state at design time
                      OverrideCase{"designRounded", 5, 1, true, 0, false, true, 1},
                      OverrideCase{"latchedRounded", 5, 2, true, 1, true, true, 3},
                      OverrideCase{"latchedToggle", 0, 1, false, 1, true, true, 3},
                      OverrideCase{"latchedToggleAtDesign", 8, 1, true, 1, true, true, 3},
                      OverrideCase{"releasedToggle", 0, 2, false, 1, false, true, 2},
                      OverrideCase{"valueWithoutToggle", 0, 1, false, 0, true, true, 1},
                      // disabled is applied last and wins over both
                      OverrideCase{"disabledToggle", 0, 1, false, 1, true, false, 4},
                      OverrideCase{"disabledAtDesign", 2, 2, true, 0, false, false, 4},
                      OverrideCase{"stateKept", 8, 3, false, 0, false, true, 3}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(RefreshTest, UnknownStylePaintsTheButtonFace)
{
    for (const int style : {-1, 11, 42}) {
        ButtonLook look = withCustomColors(buttonLook(style, 1, 10, 8));
        Surface surface(10, 8);
        surface.setBackColor(0x123456);
        surface.fillRect(0, 0, 5, 5, 0xFFFFFF);
        NoThemePainter theme;
        const RefreshResult result = refreshButton(look, surface, SystemColors::reference(), theme);
        EXPECT_EQ(countPixels(surface, QRect(0, 0, 10, 8), kFace), 80) << style;
        EXPECT_EQ(result.surfaceBackColor, kFace);
        EXPECT_EQ(result.style, style);
    }
}

TEST(RefreshTest, ANewSurfaceStartsAsTheButtonFace)
{
    // the gel leaves its rounded ends to the surface colour, which must not start out black
    const Rendered out = render(buttonLook(10, 1, 75, 23));
    EXPECT_EQ(out.surface.pixel(0, 0), kFace);
    EXPECT_EQ(out.result.surfaceBackColor, kFace);
}

TEST(RefreshTest, DisabledSetsTheSurfaceToTheButtonFace)
{
    ButtonLook look = withCustomColors(buttonLook(42, 1, 10, 8));
    look.enabled = false;
    const Rendered out = render(look);
    EXPECT_EQ(countPixels(out.surface, QRect(0, 0, 10, 8), kFace), 80);
    EXPECT_EQ(out.result.surfaceBackColor, kFace);
}

TEST(RefreshTest, ReportsTheSurfaceColourTheStyleLeft)
{
    EXPECT_EQ(render(withCustomColors(buttonLook(0, 2, 10, 8))).result.surfaceBackColor,
              kCustomHighlight);
    EXPECT_EQ(render(buttonLook(8, 2, 20, 20)).result.surfaceBackColor, kWhite);
    EXPECT_EQ(render(withCustomColors(buttonLook(3, 3, 20, 20))).result.surfaceBackColor,
              kCustomBack);
}

TEST(RefreshTest, TheSystemPaletteDecidesTheLook)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    ButtonLook look = buttonLook(0, 1, 10, 8);
    Surface surface(10, 8);
    NoThemePainter theme;
    refreshButton(look, surface, SystemColors::fromPalette(palette), theme);
    EXPECT_EQ(surface.pixel(4, 4), rgb(10, 20, 30));
}

TEST(RefreshTest, TinySurfacesPaintWithinTheirBounds)
{
    // Below the minimum size the frames overlap, the gel's blocks collide and the gradients have
    // no rows; nothing may be written outside the image (the sanitizer build checks) and
    // nothing may throw.
    for (const int style : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 42})
        for (int w = 0; w <= 40; w += (w < 8 ? 1 : 11))
            for (int h = 0; h <= 24; h += (h < 8 ? 1 : 8))
                for (const int state : {1, 2, 3, 4}) {
                    ButtonLook look = buttonLook(style, state, w, h);
                    look.enabled = state != 4;
                    look.caption = QStringLiteral("&Go");
                    look.icon = solidIcon(16, kWhite);
                    look.iconAlign = 2;
                    look.hasFocus = look.showFocus = look.isDefault = (w + h) % 2 == 0;
                    Rendered out{Surface(0, 0), {}};
                    EXPECT_NO_THROW(out = render(look)) << style << " " << w << "x" << h;
                    EXPECT_EQ(out.surface.width() * out.surface.height(), w * h);
                    EXPECT_EQ(out.result.state, state);
                }
}

} // namespace
} // namespace skin
