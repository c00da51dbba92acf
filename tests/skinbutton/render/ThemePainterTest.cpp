#include "skinbutton/render/ThemePainter.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace skin {
namespace {

using namespace skin::test;

int pixelsOtherThan(const Surface& surface, Color c)
{
    return surface.width() * surface.height() -
           countPixels(surface, QRect(0, 0, surface.width(), surface.height()), c);
}

Surface themed(VisualState themeState, bool* drew)
{
    Surface surface(60, 24);
    surface.setBackColor(kFace);
    StyleThemePainter theme;
    *drew = theme.drawPushButton(surface, Rect{0, 0, 60, 24}, themeState);
    return surface;
}

TEST(StyleThemePainterTest, DrawsTheApplicationStylesPushButton)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    bool drew = false;
    const Surface normal = themed(StateNormal, &drew);
    EXPECT_TRUE(drew);
    EXPECT_GT(pixelsOtherThan(normal, kFace), 60);

    const Surface pressed = themed(StatePressed, &drew);
    EXPECT_TRUE(drew);
    EXPECT_NE(normal.image(), pressed.image());

    const Surface defaulted = themed(StateDefaulted, &drew);
    EXPECT_TRUE(drew);
    EXPECT_NE(normal.image(), defaulted.image());
}

TEST(StyleThemePainterTest, StaysInsideTheClipRectangle)
{
    Surface surface(40, 30);
    surface.setBackColor(kFace);
    StyleThemePainter theme;
    EXPECT_TRUE(theme.drawPushButton(surface, Rect{5, 5, 35, 25}, StateHot));
    EXPECT_EQ(countPixels(surface, QRect(0, 0, 40, 5), kFace), 200);
    EXPECT_EQ(countPixels(surface, QRect(0, 25, 40, 5), kFace), 200);
    EXPECT_EQ(countPixels(surface, QRect(0, 5, 5, 20), kFace), 100);
    EXPECT_EQ(countPixels(surface, QRect(35, 5, 5, 20), kFace), 100);
}

// A face kept from an earlier draw stands in only where the theme would draw the same pixels.
TEST(StyleThemePainterTest, KeptFacesFollowThePaletteAndLeaveOtherPixelsAlone)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    StyleThemePainter theme;
    const auto draw = [&theme](Surface& surface) { return theme.drawPushButton(surface, Rect{5, 5, 35, 25}, StateNormal); };
    Surface first(40, 30);
    first.setBackColor(kFace);
    ASSERT_TRUE(draw(first));

    Surface marked(40, 30);
    marked.setBackColor(kFace);
    marked.setPixel(0, 0, kWhite);
    ASSERT_TRUE(draw(marked));
    EXPECT_EQ(marked.pixel(0, 0), kWhite);

    const QPalette original = QApplication::palette();
    QPalette other = original;
    other.setColor(QPalette::Button, QColor(200, 30, 30));
    QApplication::setPalette(other);
    Surface recoloured(40, 30);
    recoloured.setBackColor(kFace);
    const bool drew = draw(recoloured);
    QApplication::setPalette(original);
    ASSERT_TRUE(drew);
    EXPECT_NE(recoloured.image(), first.image());
}

TEST(StyleThemePainterTest, AnEmptyRectangleIsAFailedDraw)
{
    Surface surface(10, 10);
    StyleThemePainter theme;
    EXPECT_FALSE(theme.drawPushButton(surface, Rect{5, 5, 5, 9}, StateNormal));
}

} // namespace
} // namespace skin
