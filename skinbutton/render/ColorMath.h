#pragma once
// Colour arithmetic shared by every style: average, tint toward white and signed shift; and
// the luminance and contrast that keep captions legible.

#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"

namespace skin {

// Per channel (a + b) / 2, halves to even.
Color BlendColors(Color a, Color b);

// Tint toward white: v' = k + (255 - k) * v / 255 per channel (k = 0 keeps the colour).
Color LightenColor(Color c, int amount);

// Adds delta to each channel, limited to 0-255.
Color ShiftColor(Color c, int delta);

// WCAG relative luminance, 0 (black) to 1 (white), and the contrast ratio of two luminances
// (1 to 21).
double RelativeLuminance(Color c);
double ContrastRatio(double luminanceA, double luminanceB);

// c itself when it reaches ratio against background; else c tinted toward white (on a dark
// background) or darkened (on a light one) just until it does.
Color ColorLegibleOn(Color c, Color background, double ratio);

} // namespace skin
