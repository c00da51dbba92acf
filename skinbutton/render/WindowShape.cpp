#include "WindowShape.h"

#include "GelArtwork.h"
#include "skinbutton/types/SkinButtonEnums.h"

#include <algorithm>

namespace skin {

namespace {

// Pixels the rounded end at this corner leaves out of the row `fromEdge` rows in from its edge.
int inset(gel::Corner corner, int fromEdge)
{
    const std::span<const int> insets = gel::outlineInsets(corner);
    return fromEdge < int(insets.size()) ? insets[std::size_t(fromEdge)] : 0;
}

} // namespace

QPolygon cutCornerPolygon(int w, int h)
{
    return QPolygon({{0, 1}, {1, 0}, {w - 1, 0}, {w, 1}, {w, h - 2}, {w - 2, h}, {2, h}, {0, h - 2}});
}

QPolygon wideCutCornerPolygon(int w, int h)
{
    return QPolygon({{0, 2}, {2, 0}, {w - 3, 0}, {w, 3}, {w, h - 3}, {w - 3, h}, {4, h}, {0, h - 4}});
}

QRegion roundedRegion(int w, int h)
{
    // Row by row, leaving out what the gel artwork's rounded ends leave unpainted.
    using gel::Corner;
    QRegion region;
    for (int y = 0; y < h; ++y) {
        const int left = std::max(inset(Corner::TopLeft, y), inset(Corner::BottomLeft, h - 1 - y));
        const int right = std::max(inset(Corner::TopRight, y), inset(Corner::BottomRight, h - 1 - y));
        if (w - left - right > 0)
            region += QRect(left, y, w - left - right, 1);
    }
    return region;
}

QRegion windowRegion(int style, int w, int h)
{
    switch (style) {
    case RoundedGradient:
    case FramedGradient:
        return QRegion(cutCornerPolygon(w, h), Qt::OddEvenFill);
    case ShadowedBevel:
    case GlossyTile:
        return QRegion(wideCutCornerPolygon(w, h), Qt::OddEvenFill);
    case PixelArtGel:
        return roundedRegion(w, h);
    default:
        return QRegion(0, 0, w, h);
    }
}

} // namespace skin
