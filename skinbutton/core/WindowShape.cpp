#include "WindowShape.h"

#include <QPainterPath>

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
    QPainterPath path;
    const qreal radius = kRoundedCornerDiameter / 2.0;
    path.addRoundedRect(QRectF(0, 0, w, h), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon(), Qt::OddEvenFill);
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
