#include "Styles.h"

#include "ButtonColors.h"
#include "Edge.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

void DrawThin3D(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // face: the base colour when normal or disabled, else the hot colour
    const bool plain = look.state == StateNormal || look.state == StateDisabled;
    surface.setBackColor(plain ? colors.base() : colors.hot());
    // one-pixel frame: raised, sunken when pressed, invisible (flat) when disabled
    switch (look.state) {
    case StateNormal:
    case StateHot:
    case StateDefaulted: drawButtonEdge(surface, colors.system(), kEdgeRaisedInner); break;
    case StatePressed: drawButtonEdge(surface, colors.system(), kEdgeSunkenOuter); break;
    case StateDisabled: drawButtonOutline(surface, surface.backColor()); break;
    default: break;
    }
}

} // namespace skin
