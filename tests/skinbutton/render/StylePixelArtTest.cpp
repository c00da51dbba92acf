#include "RenderTestSupport.h"

#include "skinbutton/render/GelArtwork.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::test;
using gel::Corner;
using gel::Image;

constexpr Color kGraphiteCentre = rgb(0xE8, 0xE7, 0xEA);
constexpr Color kBlueCentre = rgb(0x6A, 0xA6, 0xE2);
constexpr Color kPressedCentre = rgb(0x6A, 0x9B, 0xCC);
constexpr Color kUnpainted = rgb(0x12, 0x34, 0x56);

// Renders on a surface whose own colour marks every pixel the painter leaves alone.
Surface renderGel(int state, bool focus, int w, int h, bool custom = false)
{
    ButtonLook look = buttonLook(10, state, w, h);
    look.hasFocus = focus;
    look.useCustomColors = custom;
    Surface surface(w, h);
    surface.setBackColor(kUnpainted);
    NoThemePainter theme;
    refreshButton(look, surface, SystemColors::reference(), theme);
    return surface;
}

TEST(PixelArtTest, StateAndFocusPickTheImage)
{
    struct Case {
        int state;
        bool focus;
        Color centre;
    };
    const Case cases[] = {
        {1, false, kGraphiteCentre}, {1, true, kBlueCentre}, {2, false, kBlueCentre}, {2, true, kBlueCentre},
        {3, false, kPressedCentre},  {3, true, kPressedCentre}, {0, false, kPressedCentre},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " focus " << c.focus);
        EXPECT_EQ(renderGel(c.state, c.focus, 75, 40).pixel(37, 20), c.centre);
    }
}

TEST(PixelArtTest, DisabledLooksLikeNormalAndNoColourPropertyCounts)
{
    for (const bool focus : {false, true}) {
        ButtonLook disabled = buttonLook(10, 4, 65, 59);
        disabled.enabled = false;
        disabled.hasFocus = focus;
        const Rendered out = render(disabled);
        // the disabled surface is the button face, which the rounded ends show
        Surface normal = renderGel(1, focus, 65, 59, true);
        for (int y = 0; y < 59; ++y)
            for (int x = 0; x < 65; ++x) {
                const Color expected = normal.pixel(x, y) == kUnpainted ? kFace : normal.pixel(x, y);
                ASSERT_EQ(out.surface.pixel(x, y), expected) << x << "," << y;
            }
    }
}

TEST(PixelArtTest, BandsAndTellingRowsAtWidth40)
{
    const gel::Bands& graphite = gel::bands(Image::Graphite);
    const Surface s = renderGel(1, false, 40, 59);
    // top and bottom bands cover columns 17 to 22; the right band starts at column 23
    for (int y = 0; y < gel::kTopRows; ++y) {
        EXPECT_EQ(s.pixel(17, y), graphite.top[std::size_t(y)]) << y;
        EXPECT_EQ(s.pixel(22, y), graphite.top[std::size_t(y)]) << y;
    }
    for (int i = 0; i < gel::kBottomRows; ++i)
        EXPECT_EQ(s.pixel(20, 59 - gel::kBottomRows + i), graphite.bottom[std::size_t(i)]) << i;
    for (int i = 0; i < gel::kLeftColumns; ++i)
        EXPECT_EQ(s.pixel(i, 30), graphite.left[std::size_t(i)]) << i;
    for (int i = 0; i < gel::kRightColumns; ++i)
        EXPECT_EQ(s.pixel(39 - i, 30), graphite.right[std::size_t(i)]) << i;
    EXPECT_EQ(s.pixel(20, 30), kGraphiteCentre);
    // row 0 of the top-left block: unpainted to column 5, then the outline fading in
    for (int x = 0; x <= 5; ++x)
        EXPECT_EQ(s.pixel(x, 0), kUnpainted) << x;
    EXPECT_EQ(s.pixel(6, 0), rgb(0xFE, 0xFE, 0xFE));
    EXPECT_EQ(s.pixel(9, 0), rgb(0x7A, 0x7A, 0x7A));
    EXPECT_EQ(s.pixel(16, 0), rgb(0x6B, 0x6D, 0x6C));
    // row H-2 of the bottom-right block: the outline fading out into the corner
    EXPECT_EQ(s.pixel(40 - 17, 57), rgb(0x54, 0x54, 0x54));
    EXPECT_EQ(s.pixel(40 - 8, 57), rgb(0xC5, 0xC5, 0xC5));
    EXPECT_EQ(s.pixel(40 - 5, 57), rgb(0xFA, 0xFA, 0xFA));
    // the blue images' telling rows
    EXPECT_EQ(renderGel(2, false, 40, 59).pixel(10, 0), rgb(0x29, 0x27, 0x48));
    EXPECT_EQ(renderGel(3, false, 40, 59).pixel(40 - 14, 57), rgb(0x3A, 0x56, 0x5D));
}

TEST(PixelArtTest, CornerBlocksStoreTheirPixelCounts)
{
    // top-left, bottom-left, top-right, bottom-right
    const int counts[3][4] = {{212, 161, 197, 142}, {176, 202, 163, 182}, {176, 202, 163, 182}};
    for (const Image image : gel::kImages) {
        int total = 0;
        for (const Corner corner : gel::kCorners) {
            const auto& pixels = gel::storedPixels(image, corner);
            EXPECT_EQ(int(pixels.size()), counts[int(image)][int(corner)]) << gel::blockResource(image, corner).toStdString();
            total += int(pixels.size());
        }
        EXPECT_EQ(total, image == Image::Graphite ? 712 : 723);
    }
}

} // namespace
} // namespace skin
