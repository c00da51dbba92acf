#pragma once
/// @file Color.h
/// Colours as the stored form keeps them: 0x00BBGGRR (red in the low byte). A value with the
/// high bit set is a reference to a system colour (0x80000000 + index), -1 a failed translation.

#include <cstdint>

namespace skin {

/// A colour, 0x00BBGGRR.
using Color = std::int32_t;

/// The failed translation of a colour (an invalid QColor).
constexpr Color kInvalidColor = -1;

/// The colour of red, green and blue (0-255 each).
constexpr Color rgb(int r, int g, int b) { return Color(r | (g << 8) | (b << 16)); }
/// The red part, 0-255.
constexpr int redOf(Color c) { return c & 0xFF; }
/// The green part, 0-255.
constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
/// The blue part, 0-255.
constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }

} // namespace skin
