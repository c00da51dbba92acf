#include "Styles.h"

#include "ButtonColors.h"
#include "Primitives.h"
#include "Surface.h"

namespace skin {

namespace {

Color etchedFace(VisualState state, const ButtonColors& colors)
{
    switch (state) {
    case StateHot: return colors.etchedHotFace();
    case StatePressed: return colors.etchedPressedFace();
    default: return colors.base();
    }
}

} // namespace

void DrawEtched(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // band between frame and face: the base colour in every state
    surface.setBackColor(colors.base());
    // face, inset four pixels
    const Color face = etchedFace(look.state, colors);
    FillRectSolid(surface, look.captionRect, face);
    // etched double outline around the client rectangle
    const Rect& client = look.clientRect;
    DrawEtchedFrame(surface, client.left, client.top, client.right - client.left - 1,
                    client.bottom - client.top - 1, colors.buttonShadow(), colors.window(), face);
}

} // namespace skin
