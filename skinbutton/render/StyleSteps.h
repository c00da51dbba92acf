#pragma once
// Frames shared by the classic styles, always around the whole surface.

#include "Color.h"

namespace skin {

class Surface;
class SystemColors;

// The 3-D edge of the given kind on (0, 0, W, H), all four sides.
void drawButtonEdge(Surface& surface, const SystemColors& colors, int edge);
// The one-pixel outline through (0, 0) and (W-1, H-1).
void drawButtonOutline(Surface& surface, Color c);

} // namespace skin
