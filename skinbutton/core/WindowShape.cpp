#include "WindowShape.h"

#include <algorithm>
#include <cmath>

namespace skin {

namespace {

constexpr int kRoundedCornerDiameter = 18;

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
    // Row by row, so that the four corners are mirror images of each other.
    const double radius = kRoundedCornerDiameter / 2.0;
    QRegion region;
    for (int y = 0; y < h; ++y) {
        const double centre = y + 0.5;
        const double fromEdge = std::min(centre, h - centre);
        double inset = 0;
        if (fromEdge < radius) {
            const double dy = radius - fromEdge;
            inset = radius - std::sqrt(radius * radius - dy * dy);
        }
        const int left = int(std::ceil(inset - 0.5));
        if (w - 2 * left > 0)
            region += QRect(left, y, w - 2 * left, 1);
    }
    return region;
}

QRegion windowRegion(int style, int w, int h)
{
    switch (style) {
    case 5:
    case 7:
        return QRegion(cutCornerPolygon(w, h), Qt::OddEvenFill);
    case 8:
    case 9:
        return QRegion(wideCutCornerPolygon(w, h), Qt::OddEvenFill);
    case 10:
        return roundedRegion(w, h);
    default:
        return QRegion(0, 0, w, h);
    }
}

} // namespace skin
