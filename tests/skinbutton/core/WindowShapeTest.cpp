// The window shapes against the pixels the styles paint: nothing painted is cut away, and
// nothing left unpainted shows inside the shape.
#include "skinbutton/render/WindowShape.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

constexpr Color kUnpainted = rgb(0x12, 0x34, 0x56);

// Renders on a surface whose own colour marks every pixel the style leaves alone.
Surface renderMarked(int style, int state, bool focus, QSize size)
{
    ButtonLook look;
    look.style = style;
    look.state = VisualState(state);
    look.hasFocus = focus;
    look.useCustomColors = true;
    look.backColor = rgb(0x40, 0x80, 0x20);
    look.clientRect = {0, 0, size.width(), size.height()};
    look.captionRect = {4, 4, size.width() - 4, size.height() - 4};
    Surface surface(size.width(), size.height());
    surface.setBackColor(kUnpainted);
    NoThemePainter theme;
    refreshButton(look, surface, SystemColors::reference(), theme);
    return surface;
}

const QSize kSizes[] = {{40, 23}, {75, 23}, {65, 59}, {41, 30}, {400, 100}};

// Not a pixel inside the shape shows the surface colour, so no stray pixels on any background.
TEST(WindowShapeTest, TheGelFillsItsRoundedShapeExactly)
{
    struct Case {
        int state;
        bool focus;
    };
    // graphite, blue, blue pressed
    const Case cases[] = {{1, false}, {1, true}, {3, false}};
    for (const QSize size : kSizes)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " state " << c.state);
            const Surface s = renderMarked(10, c.state, c.focus, size);
            const QRegion shape = windowRegion(10, size.width(), size.height());
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    EXPECT_EQ(s.pixel(x, y) != kUnpainted, shape.contains(QPoint(x, y))) << x << "," << y;
        }
}

TEST(WindowShapeTest, CutCornersHideWhatTheGradientStylesLeaveUnpainted)
{
    // Styles 5 and 7 pressed keep the previous surface colour where they do not paint
    for (const int style : {5, 7})
        for (const QSize size : kSizes) {
            SCOPED_TRACE(testing::Message() << "style " << style << " " << size.width() << "x" << size.height());
            const Surface s = renderMarked(style, 3, false, size);
            const QRegion shape = windowRegion(style, size.width(), size.height());
            int unpainted = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    if (s.pixel(x, y) == kUnpainted) {
                        ++unpainted;
                        EXPECT_FALSE(shape.contains(QPoint(x, y))) << x << "," << y;
                    }
            EXPECT_EQ(unpainted, style == 5 ? 4 : 2);
        }
}

} // namespace
} // namespace skin
