#include "Styles.h"

#include "ButtonColors.h"
#include "Edge.h"
#include "StyleSteps.h"
#include "Surface.h"

namespace skin {

void DrawClassic3D(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // face: the base colour when normal, the hot colour in every other state
    surface.setBackColor(look.state == StateNormal ? colors.base() : colors.hot());
    // full edge: sunken while pressed, raised otherwise
    drawButtonEdge(surface, colors.system(), look.state == StatePressed ? kEdgeSunken : kEdgeRaised);
}

} // namespace skin
