#include "RenderTestSupport.h"

#include "skinbutton/render/Caption.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skin {
namespace {

using namespace skin::test;

struct ScaledRender {
    Surface surface;
    QImage device;
};

ScaledRender renderAt(ButtonLook look, qreal ratio)
{
    look.caption = QStringLiteral("Wg&x");
    look.font = crispFont(12);
    Surface surface(look.clientRect.right, look.clientRect.bottom);
    NoThemePainter theme;
    refreshButton(look, surface, SystemColors::reference(), theme, ratio);
    QImage device = surface.deviceImage();
    return {std::move(surface), std::move(device)};
}

Color deviceColor(const QImage& device, int x, int y) { return fromQRgb(device.pixel(x, y)); }

TEST(DeviceScaleTest, AtRatioTwoTheFrameIsScaledAndTheCaptionIsNot)
{
    for (const int style : {0, 5, 8, 10}) {
        SCOPED_TRACE(style);
        const ButtonLook look = buttonLook(style, 1, 75, 23);
        const ScaledRender out = renderAt(look, 2.0);
        ASSERT_EQ(out.device.size(), QSize(150, 46));
        EXPECT_EQ(out.device.devicePixelRatio(), 2.0);

        // the same button without its caption, at ratio 1
        ButtonLook bare = look;
        const Surface frame = render(bare).surface;
        int captionBlocks = 0;
        int splitBlocks = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 75; ++x) {
                const Color block[4] = {deviceColor(out.device, 2 * x, 2 * y), deviceColor(out.device, 2 * x + 1, 2 * y),
                                        deviceColor(out.device, 2 * x, 2 * y + 1),
                                        deviceColor(out.device, 2 * x + 1, 2 * y + 1)};
                const bool uniform = block[0] == block[1] && block[0] == block[2] && block[0] == block[3];
                const bool untouched = uniform && block[0] == frame.pixel(x, y);
                if (untouched)
                    continue;
                // everything that differs from the scaled frame is caption, inside its rectangle
                ASSERT_TRUE(QRect(4, 4, 67, 15).contains(x, y)) << x << "," << y;
                ++captionBlocks;
                splitBlocks += uniform ? 0 : 1;
            }
        // glyph edges fall inside blocks: the text is drawn at device resolution, not doubled
        EXPECT_GT(captionBlocks, 20);
        EXPECT_GT(splitBlocks, captionBlocks / 4);
    }
}

TEST(DeviceScaleTest, AtRatioOneThereIsNoSecondPicture)
{
    const ScaledRender out = renderAt(buttonLook(8, 2, 40, 24), 1.0);
    EXPECT_EQ(out.device.constBits(), out.surface.image().constBits());
    EXPECT_EQ(out.surface.deviceRatio(), 1.0);
}

TEST(DeviceScaleTest, AtRatioOneAndAHalfEachLogicalPixelIsASolidBlock)
{
    ButtonLook look = buttonLook(9, 1, 30, 21);
    const Surface frame = render(look).surface;
    Surface surface(30, 21);
    NoThemePainter theme;
    refreshButton(look, surface, SystemColors::reference(), theme, 1.5);
    const QImage device = surface.deviceImage();
    ASSERT_EQ(device.size(), QSize(45, 32));
    // a device pixel shows the logical pixel its centre falls in
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
            ASSERT_EQ(deviceColor(device, x, y), frame.pixel(std::min(int((x + 0.5) / 1.5), 29), std::min(int((y + 0.5) / 1.5), 20)))
                << x << "," << y;
}

TEST(DeviceScaleTest, TheIconIsDrawnFromItsFullResolution)
{
    // a 32-pixel icon with one-pixel stripes, shown at 16 logical pixels on a ratio-2 screen
    QImage icon(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            icon.setPixel(x, y, x % 2 ? 0xFF000000u : 0xFFFFFFFFu);
    ButtonLook look = buttonLook(0, 1, 40, 30);
    look.icon = icon;
    Surface surface(40, 30);
    NoThemePainter theme;
    refreshButton(look, surface, SystemColors::reference(), theme, 2.0);
    const QPoint at = iconPosition(look, 40, 30, 4) * 2;
    const QImage device = surface.deviceImage();
    EXPECT_NE(device.pixel(at + QPoint(10, 10)), device.pixel(at + QPoint(11, 10)));
}

} // namespace
} // namespace skin
