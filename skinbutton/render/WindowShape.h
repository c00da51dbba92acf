#pragma once
// The outline of a SkinButton's window for each Style: pixels outside it belong to the parent.
// Polygons are filled odd-even; a pixel is inside when its centre is.

#include <QPolygon>
#include <QRegion>

namespace skin {

// Styles 5 and 7: one pixel off each top corner, two off each bottom corner.
QPolygon cutCornerPolygon(int w, int h);
// Styles 8 and 9: two, three, three and four pixels off the top-left, top-right, bottom-right
// and bottom-left corners.
QPolygon wideCutCornerPolygon(int w, int h);
// Style 10: a rectangle with rounded ends about 18 pixels across, the outline of the gel artwork.
QRegion roundedRegion(int w, int h);

// The window shape of a w x h button of the given Style; a rectangle for every style without
// a shape of its own.
QRegion windowRegion(int style, int w, int h);

} // namespace skin
