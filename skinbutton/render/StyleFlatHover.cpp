#include "Styles.h"

#include "ButtonColors.h"
#include "Edge.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

void DrawFlatHover(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // face: the base colour when normal or disabled, else the hot colour
    const bool plain = look.state == 1 || look.state == 4;
    surface.setBackColor(plain ? colors.base() : colors.hot());
    // frame: flat until hot, raised when hot, sunken when pressed
    switch (look.state) {
    case 1: drawButtonOutline(surface, colors.base()); break;
    case 2: drawButtonEdge(surface, colors.system(), kEdgeRaisedInner); break;
    case 3: drawButtonEdge(surface, colors.system(), kEdgeSunkenOuter); break;
    default: drawButtonOutline(surface, surface.backColor()); break;
    }
}

} // namespace skin
