#pragma once
// The three pixel-art gel images as nine-slices: four fixed corner blocks (stored as PNG images
// in this folder's gel/ resources, drawn by tools/skinbutton-gel-artwork), four bands of one
// colour per column or row, and one centre colour. The outline of the rounded ends is kept here
// too, so that the window shape and the artwork cannot drift apart.

#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"

#include <QSize>
#include <QString>

#include <array>
#include <span>
#include <vector>

namespace skin::gel {

enum class Image { Graphite, Blue, PressedBlue };
inline constexpr Image kImages[] = {Image::Graphite, Image::Blue, Image::PressedBlue};

// In the order the painters draw them.
enum class Corner { TopLeft, BottomLeft, TopRight, BottomRight };
inline constexpr Corner kCorners[] = {Corner::TopLeft, Corner::BottomLeft, Corner::TopRight, Corner::BottomRight};

inline constexpr int kLeftColumns = 18;  // columns 0-17
inline constexpr int kRightColumns = 17; // columns W-17 to W-1
inline constexpr int kTopRows = 12;      // rows 0-11
inline constexpr int kBottomRows = 11;   // rows H-11 to H-1

struct Bands {
    std::array<Color, kLeftColumns> left;   // from column 0 inward
    std::array<Color, kRightColumns> right; // from column W-1 inward
    std::array<Color, kTopRows> top;        // from row 0 down
    std::array<Color, kBottomRows> bottom;  // from row H-11 down
    Color centre;
};

const Bands& bands(Image image);

// A corner block's size; its top-left pixel is at (0, 0), (0, H-h), (W-17, 0) or (W-17, H-h).
QSize blockSize(Image image, Corner corner);

// How many pixels the rounded end leaves out of each row, counted from the top edge (top
// corners) or the bottom edge (bottom corners) inward, and from the outer column W-1 or 0.
std::span<const int> outlineInsets(Corner corner);

// Where the block's image is kept: opaque pixels are stored, transparent ones are not.
QString blockResource(Image image, Corner corner);

// A stored pixel of a block, relative to the block's top-left pixel.
struct StoredPixel {
    int x;
    int y;
    Color color;
};

// The block's stored pixels, row by row; read from the resource once.
const std::vector<StoredPixel>& storedPixels(Image image, Corner corner);

} // namespace skin::gel
