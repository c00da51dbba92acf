#pragma once
// The drawing primitives every style is built from. Lines leave out their end pixel; fills
// leave out their right column and bottom row; outlines are one pixel larger than their size.

#include "ButtonLook.h"
#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"

namespace skin {

class Surface;
class SystemColors;

// Line from (x1,y1) up to but not including (x2,y2).
void DrawLine(Surface& surface, int x1, int y1, int x2, int y2, Color c);

// Fills (left, top) .. (right-1, bottom-1).
void FillRectSolid(Surface& surface, const Rect& rect, Color c);
void FillBox(Surface& surface, int x, int y, int width, int height, Color c);

// Outline through (x,y) and (x+width, y+height), both included.
void DrawBox(Surface& surface, int x, int y, int width, int height, Color c);

// Rows y .. y+n, each from x1 up to but not including x2, shading from c1 to c2.
// A step count of 0 draws the one row y in c1; a negative count draws nothing.
void GradientRows(Surface& surface, Color c1, Color c2, int x1, int y, int x2, int n);
// Columns x1 .. x2, each from y1 up to but not including y2, shading from c1 to c2.
void GradientColumns(Surface& surface, Color c1, Color c2, int x1, int y1, int x2, int y2);

// Two offset outlines with their crossing and protruding corners patched (the etched look).
void DrawEtchedFrame(Surface& surface, int x, int y, int width, int height, Color c1, Color c2,
                     Color c3);

} // namespace skin
