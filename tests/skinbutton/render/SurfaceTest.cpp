#include "skinbutton/render/Surface.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace skin {
namespace {

TEST(SurfaceTest, SettingTheBackColourRepaintsEveryPixel)
{
    Surface surface(5, 3);
    surface.setPixel(2, 1, 0x123456);
    surface.setBackColor(0x00FF00);
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 5, 3), 0x00FF00), 15);
    EXPECT_EQ(surface.backColor(), 0x00FF00);
}

TEST(SurfaceTest, ClearPaintsTheBackColourAgain)
{
    Surface surface(4, 4);
    surface.setBackColor(0x0000FF);
    surface.fillRect(0, 0, 4, 4, 0xFFFFFF);
    surface.clear();
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 4, 4), 0x0000FF), 16);
}

TEST(SurfaceTest, StoresColoursWithRedInTheLowByte)
{
    Surface surface(1, 1);
    surface.setPixel(0, 0, rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(surface.image().pixel(0, 0), qRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(surface.image().format(), QImage::Format_RGB32);
}

TEST(SurfaceTest, ResizeKeepsBackColourAndFont)
{
    Surface surface(2, 2);
    surface.setBackColor(0x336699);
    surface.setFont(test::crispFont(17));
    surface.resize(6, 3);
    EXPECT_EQ(surface.width(), 6);
    EXPECT_EQ(surface.height(), 3);
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 6, 3), 0x336699), 18);
    EXPECT_EQ(surface.font().pixelSize(), 17);
}

TEST(SurfaceTest, OutsidePixelsAreClippedAndReadAsInvalid)
{
    Surface surface(3, 3);
    surface.setBackColor(0);
    surface.setPixel(-1, 0, 0xFFFFFF);
    surface.setPixel(3, 1, 0xFFFFFF);
    surface.fillRect(-5, -5, 1, 1, 0x0000FF);
    surface.fillRect(2, 2, 50, 50, 0x00FF00);
    EXPECT_EQ(surface.pixel(-1, 0), kInvalidColor);
    EXPECT_EQ(surface.pixel(0, 3), kInvalidColor);
    EXPECT_EQ(surface.pixel(0, 0), 0x0000FF);
    EXPECT_EQ(surface.pixel(2, 2), 0x00FF00);
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 3, 3), 0), 7);
}

TEST(SurfaceTest, WrittenRowsAreClippedOnEverySide)
{
    const std::vector<QRgb> run = {toQRgb(1), toQRgb(2), toQRgb(3), toQRgb(4)};
    Surface surface(3, 3);
    surface.setBackColor(0);
    surface.writeRows(-2, -1, 2, run); // rows 0-1 get the run's last two pixels
    surface.writeRows(2, 2, 9, run);   // row 2, column 2 gets its first
    EXPECT_EQ(surface.pixel(0, 0), 3);
    EXPECT_EQ(surface.pixel(1, 1), 4);
    EXPECT_EQ(surface.pixel(2, 1), 0);
    EXPECT_EQ(surface.pixel(2, 2), 1);
    EXPECT_EQ(test::countPixels(surface, QRect(0, 0, 3, 3), 0), 4);

    Surface copy(3, 3);
    copy.copyPixels(surface.image());
    EXPECT_EQ(copy.image(), surface.image());
    EXPECT_THROW(copy.copyPixels(QImage(3, 2, QImage::Format_RGB32)), std::invalid_argument);
}

} // namespace
} // namespace skin
