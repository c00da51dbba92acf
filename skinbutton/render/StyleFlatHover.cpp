#include "Styles.h"

#include "ButtonColors.h"
#include "Edge.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

void DrawFlatHover(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // face: the base colour when normal or disabled, else the hot colour
    const bool plain = look.state == StateNormal || look.state == StateDisabled;
    surface.setBackColor(plain ? colors.base() : colors.hot());
    // frame: flat until hot, raised when hot, sunken when pressed
    switch (look.state) {
    case StateNormal: drawButtonOutline(surface, colors.base()); break;
    case StateHot: drawButtonEdge(surface, colors.system(), kEdgeRaisedInner); break;
    case StatePressed: drawButtonEdge(surface, colors.system(), kEdgeSunkenOuter); break;
    default: drawButtonOutline(surface, surface.backColor()); break;
    }
}

} // namespace skin
