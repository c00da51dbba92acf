#include "Styles.h"

#include "ButtonColors.h"
#include "ColorMath.h"
#include "Primitives.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

namespace {

// One column of the look's table, by visual state (index 0 unused).
//
//                     | normal   | hot      | pressed  | disabled
// face shift          | +8       | +24      | -9       | +18
// body, top to bottom | +15..-15 | +16..-16 | -15..0   | +15..-15   (shifts of the face)
// body row count      | H-3      | H-3      | H-2      | H-3
// softened corners    | base -21 | base -21 | base -21 | base +5
struct FramedState {
    int faceShift;
    int bodyTop;
    int bodyBottom;
    int bodyRowsLess; // the body's step count is H minus this
    int cornerShift;
};

constexpr FramedState kStates[] = {
    {0, 0, 0, 0, 0},       {8, 15, -15, 3, -21},  {24, 16, -16, 3, -21},
    {-9, -15, 0, 2, -21},  {18, 15, -15, 3, 5},
};


constexpr int kOutlineShift = -96;
constexpr int kStripLight = 21;
constexpr int kStripDark = -21;
constexpr int kStripEdgeLight = -5;
constexpr int kStripEdgeDark = -32;
constexpr int kInnerTopLight = 21;
constexpr int kInnerBottomDark = -37;
constexpr int kPressedInnerTop = -21;
constexpr int kPressedInnerBottom = 8;

void drawSideStrips(Surface& surface, bool pressed, Color face, int w, int h)
{
    const auto f = [face](int shift) { return ShiftColor(face, shift); };
    if (pressed) {
        // right strip first, light and dark swapped
        GradientRows(surface, f(kStripDark), f(kStripLight), w - 2, 2, w - 3, h - 5);
        GradientRows(surface, f(kStripEdgeDark), f(kStripEdgeLight), 1, 2, 2, h - 5);
        return;
    }
    GradientRows(surface, f(kStripLight), f(kStripDark), 1, 2, 2, h - 5);
    GradientRows(surface, f(kStripEdgeLight), f(kStripEdgeDark), w - 2, 2, w - 3, h - 5);
}

void drawOutline(Surface& surface, Color outline, Color softened, int w, int h)
{
    // one-pixel outline; the right column runs the full height
    DrawLine(surface, 2, 0, w - 2, 0, outline);
    DrawLine(surface, 0, 2, 0, h - 2, outline);
    DrawLine(surface, 2, h - 1, w - 2, h - 1, outline);
    DrawLine(surface, w - 1, 0, w - 1, h, outline);
    // rounded inner corners
    setPixels(surface, {{1, 1}, {1, h - 2}, {w - 2, 1}, {w - 2, h - 2}}, outline);
    // softened outer corners, the last two over the right column
    setPixels(surface, {{1, 0}, {w - 2, 0}, {0, 1}, {0, h - 2}, {1, h - 1}, {w - 2, h - 1}, {w - 1, 1}, {w - 1, h - 2}},
              softened);
}

void drawInnerLines(Surface& surface, VisualState state, Color base, int w, int h)
{
    if (state == StatePressed) {
        DrawLine(surface, 2, h - 2, w - 2, h - 2, ShiftColor(base, kPressedInnerBottom));
        DrawLine(surface, 2, 1, w - 2, 1, ShiftColor(base, kPressedInnerTop));
        return;
    }
    DrawLine(surface, 2, 1, w - 2, 1, ShiftColor(base, kInnerTopLight));
    DrawLine(surface, 2, h - 2, w - 2, h - 2, ShiftColor(base, kInnerBottomDark));
}

void drawHighlightFrame(Surface& surface, Color highlight, int w, int h)
{
    const Color light = ShiftColor(highlight, 21);
    DrawLine(surface, 2, 1, w - 2, 1, light);
    DrawLine(surface, 1, 2, w - 1, 2, light);
    DrawLine(surface, 1, h - 3, w - 1, h - 3, ShiftColor(highlight, -5));
    DrawLine(surface, 2, h - 2, w - 2, h - 2, ShiftColor(highlight, -21));
}

} // namespace

void DrawFramedGradient(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    const VisualState state = look.state;
    if (state < StateNormal || state > StateDisabled)
        return;
    const FramedState& s = kStates[state];
    const int w = surface.width();
    const int h = surface.height();
    const Color base = colors.base();
    const Color face = ShiftColor(base, s.faceShift);

    // face colour everywhere, except that pressed keeps the previous surface colour
    if (state != StatePressed)
        surface.setBackColor(face);
    // body: columns 1 to W-3
    GradientRows(surface, ShiftColor(face, s.bodyTop), ShiftColor(face, s.bodyBottom), 1, 1, w - 2,
                 h - s.bodyRowsLess);
    // side strips: columns 1 and W-2
    drawSideStrips(surface, state == StatePressed, face, w, h);
    // outline and its corners
    drawOutline(surface, ShiftColor(face, kOutlineShift), ShiftColor(base, s.cornerShift), w, h);
    // light and dark inner lines; the hot look has its frame there instead
    if (state != StateHot)
        drawInnerLines(surface, state, base, w, h);
    // highlight frame: hot, or normal with the focus; ShowFocus plays no part
    if (state == StateHot || (state == StateNormal && look.hasFocus))
        drawHighlightFrame(surface, colors.accentOn(face), w, h);
}

} // namespace skin
