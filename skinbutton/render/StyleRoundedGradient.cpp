#include "Styles.h"

#include "ButtonColors.h"
#include "ColorMath.h"
#include "Primitives.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

namespace {


// The ring just inside the border: four rows and two pairs of columns.
struct RingColors {
    Color row1;
    Color row2;
    Color rowAboveBottom; // row H-3
    Color rowBottom;      // row H-2
    Color columnsTop;
    Color columnsBottom;
};

// The pressed face, darker at the top: three stacked gradients through four colours, then
// columns 1 and 2 shading down from the left edge.
struct PressedFace {
    Color top;
    Color upper;
    Color lower;
    Color bottom;
    Color column1Top;
    Color column1Bottom;
    Color column2Top;
    Color column2Bottom;
};

// The resting face without custom colours: three stacked gradients, light at the top, and two
// shading columns at the right.
struct RestingFace {
    Color top[2];
    Color middle[2];
    Color bottom[2];
    Color columnBeforeLast[2]; // column W-3
    Color lastColumn[2];       // column W-2
};

// The fixed palette of the look without custom colours.
namespace standard {
constexpr RestingFace kRestingFace{{0xFBFCFC, 0xF0F0F0}, {0xF9FAFA, 0xEAF0F0}, {0xE6EBEB, 0xC5D0D6},
                                   {0xFAFBFB, 0xDAE2E4}, {0xF2F4F5, 0xCDD7DB}};
constexpr Color kBorder = 0x743C00;
constexpr Color kInnerCorner = 0x906E48;
constexpr Color kOuterCorner = 0xA28B6A;
constexpr Color kCornerShade = 0xCAC7BF;
constexpr Color kDisabledSurface = 0xEAF4F5;
constexpr Color kDisabledBorder = 0xBAC7C9;
constexpr Color kDisabledCorner = 0xC7D5D8;
constexpr RingColors kHoverRing{0xCFF0FF, 0x89D8FD, 0x30B3F8, 0x1097E5, 0x89D8FD, 0x30B3F8};
constexpr RingColors kFocusRing{0xFFE7CE, 0xF6D4BC, 0xE4AD89, 0xEE8269, 0xF6D4BC, 0xE4AD89};
constexpr PressedFace kPressedFace{0xC1CCD1, 0xDCE3E4, 0xDBE2E3, 0xEEF1F2,
                                   0xCED8DA, 0xDBE2E3, 0xCED8DA, 0xDBE2E3};
} // namespace standard

void drawRing(Surface& surface, const RingColors& c, int w, int h)
{
    DrawLine(surface, 2, 1, w - 2, 1, c.row1);
    DrawLine(surface, 2, 2, w - 2, 2, c.row2);
    DrawLine(surface, 2, h - 3, w - 2, h - 3, c.rowAboveBottom);
    DrawLine(surface, 2, h - 2, w - 2, h - 2, c.rowBottom);
    GradientRows(surface, c.columnsTop, c.columnsBottom, 1, 2, 3, h - 5);
    GradientRows(surface, c.columnsTop, c.columnsBottom, w - 3, 2, w - 1, h - 5);
}

void drawPressedFace(Surface& surface, const PressedFace& c, int w, int h)
{
    GradientRows(surface, c.top, c.upper, 2, 1, w - 1, 4);
    GradientRows(surface, c.upper, c.lower, 2, 4, w - 1, h - 8);
    GradientRows(surface, c.lower, c.bottom, 3, h - 4, w - 1, 3);
    GradientRows(surface, c.column1Top, c.column1Bottom, 1, 3, 2, h - 5);
    GradientRows(surface, c.column2Top, c.column2Bottom, 2, 4, 3, h - 7);
}

// Border on all four sides without the corner pixels.
void drawCutBorder(Surface& surface, Color c, int w, int h)
{
    DrawLine(surface, 1, 0, w - 1, 0, c);
    DrawLine(surface, 0, 1, 0, h - 1, c);
    DrawLine(surface, w - 1, 1, w - 1, h - 1, c);
    DrawLine(surface, 1, h - 1, w - 1, h - 1, c);
}

void setInnerCorners(Surface& surface, Color c, int w, int h)
{
    setPixels(surface, {{1, 1}, {1, h - 2}, {w - 2, 1}, {w - 2, h - 2}}, c);
}

// The flat disabled look: an outline whose twelve corner pixels are softened.
void drawDisabled(Surface& surface, Color border, Color corner, int w, int h)
{
    DrawBox(surface, 0, 0, w - 1, h - 1, border);
    setPixels(surface, {{0, 1}, {1, 1}, {1, 0}, {0, h - 2}, {1, h - 2}, {1, h - 1}, {w - 1, 1}, {w - 2, 1},
                        {w - 2, 0}, {w - 1, h - 2}, {w - 2, h - 2}, {w - 2, h - 1}},
              corner);
}

void drawCustomNormal(const ButtonLook& look, Surface& surface, const ButtonColors& colors, int w, int h)
{
    const Color p = colors.base();
    const auto S = [p](int d) { return ShiftColor(p, d); };
    surface.setBackColor(p);
    // face, then the left and right shading columns
    GradientRows(surface, p, S(-15), 1, 1, w - 2, h - 3);
    GradientRows(surface, S(21), S(-21), 1, 2, 2, h - 5);
    GradientRows(surface, S(-5), S(-32), w - 2, 2, w - 3, h - 5);
    // light top rows, darkening bottom rows
    DrawLine(surface, 2, 1, w - 2, 1, S(5));
    DrawLine(surface, 1, 2, w - 1, 2, S(2));
    DrawLine(surface, 2, h - 4, w - 2, h - 4, S(-16));
    DrawLine(surface, 2, h - 3, w - 2, h - 3, S(-24));
    DrawLine(surface, 2, h - 2, w - 2, h - 2, S(-37));
    // border; the right one runs the full height
    const Color k = S(-128);
    DrawLine(surface, 2, 0, w - 2, 0, k);
    DrawLine(surface, 0, 2, 0, h - 2, k);
    DrawLine(surface, 2, h - 1, w - 2, h - 1, k);
    DrawLine(surface, w - 1, 0, w - 1, h, k);
    setInnerCorners(surface, k, w, h);
    // corner shade, two of them over the right border
    setPixels(surface, {{1, 0}, {w - 2, 0}, {0, 1}, {0, h - 2}, {1, h - 1}, {w - 2, h - 1}, {w - 1, 1}, {w - 1, h - 2}},
              S(-21));
    // ring: hover in HighlightColor, defaulted or shown focus in the system highlight
    const bool hot = look.state == StateHot;
    if (!hot && look.state != StateDefaulted && !(look.hasFocus && look.showFocus))
        return;
    const Color r = hot ? colors.accent() : colors.highlight();
    const auto R = [r](int d) { return ShiftColor(r, d); };
    drawRing(surface, {R(85), R(69), R(16), r, R(69), R(16)}, w, h);
}

void drawCustomPressed(Surface& surface, Color p, int w, int h)
{
    const auto S = [p](int d) { return ShiftColor(p, d); };
    // face darker at the top; the surface keeps its previous colour
    drawPressedFace(surface, {S(-37), S(-21), S(-5), S(5), S(-32), S(-22), S(-24), S(-15)}, w, h);
    // shading around the corners
    setPixels(surface, {{1, 2}, {2, 1}, {w - 3, 1}}, S(-48));
    setPixels(surface, {{2, h - 2}}, S(-5));
    setPixels(surface, {{1, h - 3}}, S(-16));
    setPixels(surface, {{w - 2, h - 3}}, S(18));
    setPixels(surface, {{w - 3, h - 2}}, S(8));
    setPixels(surface, {{w - 2, 2}}, S(-37));
    // border and its inner corners
    drawCutBorder(surface, S(-128), w, h);
    setInnerCorners(surface, S(-96), w, h);
}

// Border and the three corner sets of the standard palette, shared by its normal and pressed looks.
void drawStandardFrame(Surface& surface, int w, int h)
{
    drawCutBorder(surface, standard::kBorder, w, h);
    setInnerCorners(surface, standard::kInnerCorner, w, h);
    setPixels(surface, {{0, 1}, {1, 0}, {1, h - 1}, {0, h - 2}, {w - 1, h - 2}, {w - 2, h - 1}, {w - 2, 0}, {w - 1, 1}},
              standard::kOuterCorner);
    setPixels(surface, {{1, 2}, {2, 1}, {2, h - 2}, {1, h - 3}, {w - 2, h - 3}, {w - 3, h - 2}, {w - 3, 1}, {w - 2, 2}},
              standard::kCornerShade);
}

void drawStandardResting(const ButtonLook& look, Surface& surface, int w, int h)
{
    const RestingFace& c = standard::kRestingFace;
    // face: light at the top, darker at the bottom
    GradientRows(surface, c.top[0], c.top[1], 1, 1, w - 2, 4);
    GradientRows(surface, c.middle[0], c.middle[1], 1, 4, w - 2, h - 8);
    GradientRows(surface, c.bottom[0], c.bottom[1], 1, h - 4, w - 2, 3);
    // right shading: columns W-3 and W-2
    GradientRows(surface, c.columnBeforeLast[0], c.columnBeforeLast[1], w - 3, 3, w - 2, h - 5);
    GradientRows(surface, c.lastColumn[0], c.lastColumn[1], w - 2, 3, w - 1, h - 5);
    drawStandardFrame(surface, w, h);
    // hover ring, or the focus ring whatever ShowFocus says
    if (look.state == StateHot)
        drawRing(surface, standard::kHoverRing, w, h);
    else if (look.hasFocus)
        drawRing(surface, standard::kFocusRing, w, h);
}

} // namespace

void DrawRoundedCustom(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    const int w = surface.width();
    const int h = surface.height();
    const Color p = colors.base();
    const auto S = [p](int d) { return ShiftColor(p, d); };
    switch (look.state) {
    case StateNormal:
    case StateHot:
    case StateDefaulted:
        drawCustomNormal(look, surface, colors, w, h);
        break;
    case StatePressed:
        drawCustomPressed(surface, p, w, h);
        break;
    case StateDisabled:
        // flat face in the base colour
        surface.setBackColor(p);
        drawDisabled(surface, S(-64), S(-53), w, h);
        break;
    default:
        break;
    }
}

void DrawRoundedStandard(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    const int w = surface.width();
    const int h = surface.height();
    // the palette is fixed; only the first surface colour is the desktop's
    surface.setBackColor(colors.buttonFace());
    switch (look.state) {
    case StateNormal:
    case StateHot:
        drawStandardResting(look, surface, w, h);
        break;
    case StatePressed:
        // darker at the top; no ring even with the focus
        drawPressedFace(surface, standard::kPressedFace, w, h);
        drawStandardFrame(surface, w, h);
        break;
    case StateDisabled:
        surface.setBackColor(standard::kDisabledSurface);
        drawDisabled(surface, standard::kDisabledBorder, standard::kDisabledCorner, w, h);
        break;
    default:
        break;
    }
}

} // namespace skin
