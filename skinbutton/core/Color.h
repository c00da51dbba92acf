#pragma once
// Colours are 0x00BBGGRR (red in the low byte). A value with the high bit set is a reference to
// a system colour (0x80000000 + index); TranslateColor turns it into plain RGB, -1 on failure.

#include <cstdint>

namespace skin {

using Color = std::int32_t;

constexpr Color kInvalidColor = -1;

constexpr Color rgb(int r, int g, int b) { return Color(r | (g << 8) | (b << 16)); }
constexpr int redOf(Color c) { return c & 0xFF; }
constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }

// The system colour indices the control uses: in stored colour references, in the stored
// defaults of its colour properties and in the styles' own shades.
enum SystemColorIndex : int {
    kWindow = 5,
    kWindowText = 8,
    kHighlight = 13,
    kButtonFace = 15,
    kButtonShadow = 16,
    kGrayText = 17,
    kButtonText = 18,
    kButtonHighlight = 20,
    k3DDarkShadow = 21,
    k3DLight = 22,
    kInfoText = 23,
    kInfoBackground = 24,
};

} // namespace skin
