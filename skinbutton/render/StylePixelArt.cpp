#include "Styles.h"

#include "ButtonColors.h"
#include "GelArtwork.h"
#include "Primitives.h"
#include "Surface.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <vector>

namespace skin {

namespace {

using gel::Corner;
using gel::Image;


// Centre: x 18 to W-17, y 11 to H-9; the bands repaint its outer rows and right column.
constexpr int kCentreLeft = 18;
constexpr int kCentreTop = 11;

QPoint blockOrigin(Image image, Corner corner, int w, int h)
{
    const QSize size = gel::blockSize(image, corner);
    const bool right = corner == Corner::TopRight || corner == Corner::BottomRight;
    const bool bottom = corner == Corner::BottomLeft || corner == Corner::BottomRight;
    return {right ? w - gel::kRightColumns : 0, bottom ? h - size.height() : 0};
}

// Between a block row's first and last stored pixel the artwork leaves a few pixels out, inside
// the rounded window shape: they take the light palette's face, as the artwork around them is
// light on any desktop palette (the reference palette's own back colour).
constexpr int kMaxBlockRows = 16; // the tallest block has 13
using RowSpans = std::array<std::pair<int, int>, kMaxBlockRows>; // first, last column; last -1: none

RowSpans rowSpans(const std::vector<gel::StoredPixel>& pixels)
{
    RowSpans spans;
    spans.fill({INT_MAX, -1});
    for (const gel::StoredPixel& p : pixels) {
        auto& span = spans[std::size_t(std::clamp(p.y, 0, kMaxBlockRows - 1))];
        span = {std::min(span.first, p.x), std::max(span.second, p.x)};
    }
    return spans;
}

// Worked out once per block: the stored pixels never change.
const RowSpans& insideRows(Image image, Corner corner, const std::vector<gel::StoredPixel>& pixels)
{
    static std::map<std::pair<Image, Corner>, RowSpans> cache;
    auto found = cache.find({image, corner});
    if (found == cache.end())
        found = cache.emplace(std::pair{image, corner}, rowSpans(pixels)).first;
    return found->second;
}

void fillInsideRows(Surface& surface, const RowSpans& spans, QPoint at)
{
    const Color face = ButtonColors::lightArtworkFace();
    for (int y = 0; y < kMaxBlockRows; ++y) {
        const auto& span = spans[std::size_t(y)];
        if (span.second >= 0)
            DrawLine(surface, at.x() + span.first, at.y() + y, at.x() + span.second + 1, at.y() + y, face);
    }
}

// One SetPixel per stored pixel; the right and bottom blocks move with the size.
void drawCornerBlocks(Surface& surface, Image image, int w, int h)
{
    for (const Corner corner : gel::kCorners) {
        const QPoint at = blockOrigin(image, corner, w, h);
        const std::vector<gel::StoredPixel>& pixels = gel::storedPixels(image, corner);
        fillInsideRows(surface, insideRows(image, corner, pixels), at);
        for (const gel::StoredPixel& p : pixels)
            surface.setPixel(at.x() + p.x, at.y() + p.y, p.color);
    }
}

void drawBands(Surface& surface, const gel::Bands& b, int w, int h)
{
    // left and right bands: rows 11 to H-11, one colour per column
    for (int i = 0; i < gel::kLeftColumns; ++i)
        DrawLine(surface, i, 11, i, h - 10, b.left[std::size_t(i)]);
    for (int i = 0; i < gel::kRightColumns; ++i)
        DrawLine(surface, w - 1 - i, 11, w - 1 - i, h - 10, b.right[std::size_t(i)]);
    // top and bottom bands: columns 17 to W-18, one colour per row
    for (int i = 0; i < gel::kTopRows; ++i)
        DrawLine(surface, 17, i, w - 17, i, b.top[std::size_t(i)]);
    for (int i = 0; i < gel::kBottomRows; ++i)
        DrawLine(surface, 17, h - gel::kBottomRows + i, w - 17, h - gel::kBottomRows + i, b.bottom[std::size_t(i)]);
}

// The surface colour is never set: what no piece paints keeps the current back colour.
void paintGel(Surface& surface, Image image)
{
    const int w = surface.width();
    const int h = surface.height();
    const gel::Bands& b = gel::bands(image);
    FillBox(surface, kCentreLeft, kCentreTop, w - 34, h - 19, b.centre);
    drawCornerBlocks(surface, image, w, h);
    drawBands(surface, b, w, h);
}

} // namespace

void PaintGelGraphite(Surface& surface) { paintGel(surface, Image::Graphite); }
void PaintGelBlue(Surface& surface) { paintGel(surface, Image::Blue); }
void PaintGelBluePressed(Surface& surface) { paintGel(surface, Image::PressedBlue); }


void DrawPixelArt(const ButtonLook& look, Surface& surface, const ButtonColors&)
{
    // hot, or resting with the focus: blue; resting without it: graphite; anything else pressed
    if (look.state == StateHot)
        PaintGelBlue(surface);
    else if (look.state == StateNormal || look.state == StateDisabled)
        look.hasFocus ? PaintGelBlue(surface) : PaintGelGraphite(surface);
    else
        PaintGelBluePressed(surface);
}

} // namespace skin
