#include "Styles.h"

#include "ButtonColors.h"
#include "Edge.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

void DrawThin3D(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // face: the base colour when normal or disabled, else the hot colour
    const bool plain = look.state == 1 || look.state == 4;
    surface.setBackColor(plain ? colors.base() : colors.hot());
    // one-pixel frame: raised, sunken when pressed, invisible (flat) when disabled
    switch (look.state) {
    case 1:
    case 2:
    case 5: drawButtonEdge(surface, colors.system(), kEdgeRaisedInner); break;
    case 3: drawButtonEdge(surface, colors.system(), kEdgeSunkenOuter); break;
    case 4: drawButtonOutline(surface, surface.backColor()); break;
    default: break;
    }
}

} // namespace skin
