#pragma once
// 3-D edges, reproduced pixel for pixel. Each layer is one pixel wide: the outer layer on the
// rectangle's border pixels, the inner one a pixel inside (a lone inner layer sits on the
// border). A layer paints its top row and left column in its top-left colour, then its bottom
// row and right column in its bottom-right colour, which so owns the top-right and bottom-left
// corners. Layer colours, as system colours:
//
//   edge bit          | layer | top-left             | bottom-right
//   raised outer (1)  | outer | 3-D light (22)       | 3-D dark shadow (21)
//   sunken outer (2)  | outer | button shadow (16)   | button highlight (20)
//   raised inner (4)  | inner | button highlight (20)| button shadow (16)
//   sunken inner (8)  | inner | 3-D dark shadow (21) | 3-D light (22)

namespace skin {

class Surface;
class SystemColors;

enum EdgeKind : int {
    kEdgeRaisedOuter = 1,
    kEdgeSunkenOuter = 2,
    kEdgeRaisedInner = 4,
    kEdgeSunkenInner = 8,
    kEdgeRaised = kEdgeRaisedOuter | kEdgeRaisedInner,
    kEdgeSunken = kEdgeSunkenOuter | kEdgeSunkenInner,
};

enum EdgeSide : int {
    kSideLeft = 1,
    kSideTop = 2,
    kSideRight = 4,
    kSideBottom = 8,
    kSideAll = kSideLeft | kSideTop | kSideRight | kSideBottom,
};

// The edge on (x, y, x+width, y+height), each sum formed before rounding.
void DrawEdgeBox(Surface& surface, const SystemColors& colors, double x, double y, double width,
                 double height, int edge, int sides);

} // namespace skin
