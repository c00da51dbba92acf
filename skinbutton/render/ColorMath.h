#pragma once
// Colour arithmetic shared by every style: average, tint toward white and signed shift.

#include "Color.h"

namespace skin {

// Per channel (a + b) / 2, halves to even.
Color BlendColors(Color a, Color b);

// Tint toward white: v' = k + (255 - k) * v / 255 per channel (k = 0 keeps the colour).
Color LightenColor(Color c, int amount);

// Adds delta to each channel, limited to 0-255.
Color ShiftColor(Color c, int delta);

} // namespace skin
