#include "StyleSteps.h"

#include "Edge.h"
#include "Primitives.h"
#include "Surface.h"

namespace skin {

void drawButtonEdge(Surface& surface, const SystemColors& colors, int edge)
{
    DrawEdgeBox(surface, colors, 0, 0, surface.width(), surface.height(), edge, kSideAll);
}

void drawButtonOutline(Surface& surface, Color c)
{
    DrawBox(surface, 0, 0, surface.width() - 1, surface.height() - 1, c);
}

void setPixels(Surface& surface, std::initializer_list<QPoint> pixels, Color c)
{
    for (const QPoint& p : pixels)
        surface.setPixel(p.x(), p.y(), c);
}

} // namespace skin
