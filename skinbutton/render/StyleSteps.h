#pragma once
// Frames and pixel groups shared by several styles.

#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"

#include <QPoint>

#include <initializer_list>

namespace skin {

class Surface;
class SystemColors;

// The 3-D edge of the given kind on (0, 0, W, H), all four sides.
void drawButtonEdge(Surface& surface, const SystemColors& colors, int edge);
// The one-pixel outline through (0, 0) and (W-1, H-1).
void drawButtonOutline(Surface& surface, Color c);
// Single pixels in one colour, in the order given.
void setPixels(Surface& surface, std::initializer_list<QPoint> pixels, Color c);

} // namespace skin
