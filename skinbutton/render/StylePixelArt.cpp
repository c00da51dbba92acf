#include "Styles.h"

#include "ButtonColors.h"
#include "GelArtwork.h"
#include "Primitives.h"
#include "Surface.h"

#include <array>
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

// A block row as drawn: from its first to its last stored pixel. The pixels between that the
// artwork leaves out lie inside the rounded window shape: they take the light palette's face,
// as the artwork around them is light on any desktop palette (the reference palette's own back
// colour).
struct BlockRow {
    int y;
    int x;
    std::vector<QRgb> pixels;
};

std::vector<BlockRow> blockRows(const std::vector<gel::StoredPixel>& stored)
{
    const QRgb face = toQRgb(ButtonColors::lightArtworkFace());
    std::vector<BlockRow> rows;
    for (const gel::StoredPixel& p : stored) { // row by row, left to right
        if (rows.empty() || rows.back().y != p.y)
            rows.push_back({p.y, p.x, {}});
        BlockRow& row = rows.back();
        row.pixels.resize(std::size_t(p.x - row.x), face);
        row.pixels.push_back(toQRgb(p.color));
    }
    return rows;
}

// Worked out once per block: the stored pixels never change.
const std::vector<BlockRow>& blockRowsOf(Image image, Corner corner)
{
    using Blocks = std::array<std::array<std::vector<BlockRow>, std::size(gel::kCorners)>, std::size(gel::kImages)>;
    static const Blocks blocks = [] {
        Blocks rows;
        for (const Image i : gel::kImages)
            for (const Corner c : gel::kCorners)
                rows[std::size_t(i)][std::size_t(c)] = blockRows(gel::storedPixels(i, c));
        return rows;
    }();
    return blocks[std::size_t(image)][std::size_t(corner)];
}

// The right and bottom blocks move with the size.
void drawCornerBlocks(Surface& surface, Image image, int w, int h)
{
    for (const Corner corner : gel::kCorners) {
        const QPoint at = blockOrigin(image, corner, w, h);
        for (const BlockRow& row : blockRowsOf(image, corner))
            surface.writeRows(at.x() + row.x, at.y() + row.y, at.y() + row.y + 1, row.pixels);
    }
}

// One colour per column, from column 0 inward (left) or from column W-1 inward (right), as
// the pixels of a row from the band's first column on.
template <std::size_t N>
std::array<QRgb, N> bandRow(const std::array<Color, N>& columns, bool fromRight)
{
    std::array<QRgb, N> row;
    for (std::size_t i = 0; i < N; ++i)
        row[fromRight ? N - 1 - i : i] = toQRgb(columns[i]);
    return row;
}

void drawBands(Surface& surface, const gel::Bands& b, int w, int h)
{
    // left and right bands: rows 11 to H-11 (the rows a line from row 11 to row H-10 covers,
    // also on a button too low for them), one colour per column
    const int top = 11;
    const int end = h - 10;
    const int first = top <= end ? top : end + 1;
    const int last = top <= end ? end : top + 1;
    surface.writeRows(0, first, last, bandRow(b.left, false));
    surface.writeRows(w - gel::kRightColumns, first, last, bandRow(b.right, true));
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
