#include "Styles.h"

#include "ButtonColors.h"
#include "ColorMath.h"
#include "Primitives.h"
#include "Surface.h"

namespace skin {

namespace {

constexpr int kFaceShade = 15;
constexpr int kBevelLight = 96;
constexpr int kBorderDark = -48;
constexpr int kFocusBorderDark = -96;
constexpr double kDarkBaseLuminance = 0.1;
constexpr int kShadowLift = 21;
constexpr int kCornerLift = 15;

struct BevelColors {
    Color bodyTop;
    Color bodyBottom;
    Color bevelTopLeft;
    Color bevelBottom;
    Color border;
    Color shadow;
    Color corner;
};

BevelColors bevelColors(const ButtonLook& look, Color base, Color face)
{
    const bool pressed = look.state == StatePressed;
    const Color light = ShiftColor(face, kFaceShade);
    const Color dark = ShiftColor(face, -kFaceShade);
    const Color bevel = ShiftColor(face, kBevelLight);
    // the border always follows the base colour; focus darkens it except while pressed, and on
    // a base too dark to darken visibly (a dark palette's) lightens it instead
    const int focusShift = RelativeLuminance(base) < kDarkBaseLuminance ? -kFocusBorderDark : kFocusBorderDark;
    const int borderShift = look.hasFocus && !pressed ? focusShift : kBorderDark;
    const Color border = ShiftColor(base, borderShift);
    const Color shadow = ShiftColor(border, kShadowLift);
    return {pressed ? dark : light,  pressed ? light : dark,  pressed ? face : bevel,
            pressed ? bevel : face,  border,                  shadow,
            ShiftColor(shadow, kCornerLift)};
}

} // namespace

void DrawShadowedBevel(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    const int w = surface.width();
    const int h = surface.height();
    const Color face = look.state == StateNormal ? colors.base() : colors.liftedHot();
    const BevelColors c = bevelColors(look, colors.base(), face);

    // face colour everywhere, left showing in the corners and inside the right border
    surface.setBackColor(face);
    // body: columns 2 to W-4, rows 2 to H-4
    GradientRows(surface, c.bodyTop, c.bodyBottom, 2, 2, w - 3, h - 6);
    // bevel: top and left inner lines, then the bottom one
    DrawLine(surface, 2, 1, w - 3, 1, c.bevelTopLeft);
    DrawLine(surface, 1, 2, 1, h - 3, c.bevelTopLeft);
    DrawLine(surface, 2, h - 3, w - 2, h - 3, c.bevelBottom);
    // border: top, left, bottom, right
    DrawLine(surface, 2, 0, w - 3, 0, c.border);
    DrawLine(surface, 0, 2, 0, h - 3, c.border);
    DrawLine(surface, 2, h - 2, w - 3, h - 2, c.border);
    DrawLine(surface, w - 2, 2, w - 2, h - 3, c.border);
    // rounded inner corners
    surface.setPixel(1, 1, c.border);
    surface.setPixel(1, h - 3, c.border);
    surface.setPixel(w - 3, 1, c.border);
    surface.setPixel(w - 3, h - 3, c.border);
    // drop shadow: bottom row, right column, inner diagonal
    DrawLine(surface, 3, h - 1, w - 4, h - 1, c.shadow);
    DrawLine(surface, w - 1, 3, w - 1, h - 4, c.shadow);
    DrawLine(surface, w - 4, h - 1, w, h - 5, c.shadow);
    // outer diagonal, a shade lighter
    DrawLine(surface, w - 3, h - 1, w, h - 4, c.corner);
}

} // namespace skin
