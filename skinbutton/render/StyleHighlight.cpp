#include "Styles.h"

#include "ButtonColors.h"
#include "ColorMath.h"
#include "Primitives.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

namespace {

constexpr int kRestingTint = 32;
constexpr int kHotTint = 176;
constexpr int kPressedTint = 128;

} // namespace

void DrawHighlight(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    const int w = surface.width();
    const int h = surface.height();
    if (look.state != StateHot && look.state != StatePressed) {
        // resting: the whole surface in a light tint of the base colour
        FillBox(surface, 0, 0, w, h, LightenColor(colors.base(), kRestingTint));
        return;
    }
    // hot and pressed: tinted face, border in the highlight colour itself
    const int tint = look.state == StateHot ? kHotTint : kPressedTint;
    FillBox(surface, 0, 0, w - 1, h - 1, LightenColor(colors.accent(), tint));
    drawButtonOutline(surface, colors.accent());
}

} // namespace skin
