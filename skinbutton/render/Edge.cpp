#include "Edge.h"

#include "Arithmetic.h"
#include "ButtonLook.h"
#include "Primitives.h"
#include "SystemColors.h"

namespace skin {

namespace {

struct LayerColors {
    Color topLeft;
    Color bottomRight;
};

void drawLayer(Surface& surface, const Rect& r, const LayerColors& layer, int sides)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (sides & kSideTop)
        DrawLine(surface, r.left, r.top, r.right, r.top, layer.topLeft);
    if (sides & kSideLeft)
        DrawLine(surface, r.left, r.top, r.left, r.bottom, layer.topLeft);
    if (sides & kSideBottom)
        DrawLine(surface, r.left, r.bottom - 1, r.right, r.bottom - 1, layer.bottomRight);
    if (sides & kSideRight)
        DrawLine(surface, r.right - 1, r.top, r.right - 1, r.bottom, layer.bottomRight);
}

Rect shrunk(const Rect& r) { return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}; }

} // namespace

void DrawEdgeBox(Surface& surface, const SystemColors& colors, double x, double y, double width,
                 double height, int edge, int sides)
{
    const Rect outer{roundHalfEven(x), roundHalfEven(y), roundHalfEven(x + width),
                     roundHalfEven(y + height)};
    const bool hasOuter = edge & (kEdgeRaisedOuter | kEdgeSunkenOuter);

    if (edge & kEdgeRaisedOuter)
        drawLayer(surface, outer, {colors.color(k3DLight), colors.color(k3DDarkShadow)}, sides);
    if (edge & kEdgeSunkenOuter)
        drawLayer(surface, outer, {colors.color(kButtonShadow), colors.color(kButtonHighlight)},
                  sides);

    const Rect inner = hasOuter ? shrunk(outer) : outer;
    if (edge & kEdgeRaisedInner)
        drawLayer(surface, inner, {colors.color(kButtonHighlight), colors.color(kButtonShadow)},
                  sides);
    if (edge & kEdgeSunkenInner)
        drawLayer(surface, inner, {colors.color(k3DDarkShadow), colors.color(k3DLight)}, sides);
}

} // namespace skin
