// skinbutton-gel-artwork: draws the corner blocks of the three gel images and writes them as
// the PNG files that skinbutton/render/gel/ keeps. Run it again after changing the bands or the
// outline of the rounded ends:
//
//   build/tools/skinbutton-gel-artwork/skinbutton-gel-artwork skinbutton/render/gel
//
// Each corner is a glossy pill end of radius 9 drawn between the band colours: the side band's
// halo and outline follow the arc into the top or bottom band, with the arc's edge pixels
// blended by how much of them it covers. The telling rows are fixed, and so is the number of
// stored pixels of every block; the program refuses to write artwork that breaks either.

#include "skinbutton/render/GelArtwork.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <set>
#include <span>
#include <utility>
#include <vector>

namespace {

using skin::Color;
using skin::gel::Corner;
using skin::gel::Image;

constexpr double kRadius = 9.0;
constexpr int kSamples = 8;
constexpr Color kTopHalo = skin::rgb(0xFE, 0xFE, 0xFE);

bool isRight(Corner c) { return c == Corner::TopRight || c == Corner::BottomRight; }
bool isBottom(Corner c) { return c == Corner::BottomLeft || c == Corner::BottomRight; }

Color mix(Color a, Color b, double t)
{
    const auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * std::clamp(t, 0.0, 1.0))); };
    return skin::rgb(channel(skin::redOf(a), skin::redOf(b)), channel(skin::greenOf(a), skin::greenOf(b)),
                     channel(skin::blueOf(a), skin::blueOf(b)));
}

// A band read at a fractional depth, clamped to its ends.
template <typename Band>
Color at(const Band& band, double depth)
{
    const double d = std::clamp(depth, 0.0, double(band.size() - 1));
    const auto i = std::size_t(std::floor(d));
    return mix(band[i], band[std::min(i + 1, band.size() - 1)], d - double(i));
}

// One corner in its own coordinates: u columns in from the side edge, v rows in from the top
// or bottom edge. The pill's solid part starts at u = 1 (column 0 is the halo) and at v = 0 at
// the top or v = 1 at the bottom (the bottom row is the drop shadow).
class CornerPainter {
public:
    CornerPainter(Image image, Corner corner) : m_bands(skin::gel::bands(image)), m_corner(corner) {}

    Color color(int u, int v) const
    {
        const double cover = coverage(u, v);
        const auto [depth, towardSide] = depthAndSide(u + 0.5, v + 0.5);
        const Color inner = mix(edge(edgeStart() + depth - 0.5), side(kSideStart + depth - 0.5), towardSide);
        const Color outer = mix(isBottom(m_corner) ? edge(0) : kTopHalo, side(0), towardSide);
        return mix(outer, inner, cover);
    }

private:
    static constexpr double kSideStart = 1.0;
    double edgeStart() const { return isBottom(m_corner) ? 1.0 : 0.0; }

    Color side(double depth) const { return isRight(m_corner) ? at(m_bands.right, depth) : at(m_bands.left, depth); }
    Color edge(double depth) const
    {
        if (!isBottom(m_corner))
            return at(m_bands.top, depth);
        std::array<Color, skin::gel::kBottomRows> upward = m_bands.bottom;
        std::reverse(upward.begin(), upward.end());
        return at(upward, depth);
    }

    bool inside(double u, double v) const
    {
        const double cx = kSideStart + kRadius;
        const double cy = edgeStart() + kRadius;
        if (u < kSideStart || v < edgeStart())
            return false;
        return u >= cx || v >= cy || std::hypot(cx - u, cy - v) <= kRadius;
    }

    double coverage(int u, int v) const
    {
        int in = 0;
        for (int i = 0; i < kSamples; ++i)
            for (int j = 0; j < kSamples; ++j)
                in += inside(u + (i + 0.5) / kSamples, v + (j + 0.5) / kSamples) ? 1 : 0;
        return double(in) / (kSamples * kSamples);
    }

    // How deep inside the pill a point is, and how far round the arc toward the side (0 on the
    // top or bottom edge, 1 on the side).
    std::pair<double, double> depthAndSide(double u, double v) const
    {
        const double dx = kSideStart + kRadius - u;
        const double dy = edgeStart() + kRadius - v;
        if (dx > 0 && dy > 0)
            return {std::max(kRadius - std::hypot(dx, dy), 0.0), std::atan2(dx, dy) / (std::numbers::pi / 2)};
        if (dy > 0)
            return {std::max(v - edgeStart(), 0.0), 0.0};
        if (dx > 0)
            return {std::max(u - kSideStart, 0.0), 1.0};
        const double fromSide = u - kSideStart;
        const double fromEdge = v - edgeStart();
        return {std::min(fromSide, fromEdge), fromSide < fromEdge ? 1.0 : fromSide > fromEdge ? 0.0 : 0.5};
    }

    const skin::gel::Bands& m_bands;
    Corner m_corner;
};

// Telling rows, fixed: row 0 of the top-left block from column 6, and row H-2 of the
// bottom-right block from column W-17 to W-5.
const char* const kTopLeftRow0[] = {
    "FEFEFE E6E6E6 ACACAC 7A7A7A 6C6C6C 6B6B6B 6F6F6F 6F6F71 707072 666867 6B6D6C 6A6967",
    "FEFEFE E5E5E6 A5A5A9 5E5E6C 292748 0C0D37 060737 050636 06063A 070841 070745 080645",
    "FEFEFE E4E4E5 A2A2A5 5C5C67 292742 0D0E30 090A30 08092F 090933 0A0A39 0A0A3C 0A093C",
};
const char* const kBottomRightRow[] = {
    "545454 555555 525252 505050 535353 525252 616161 7A7A7A A3A3A3 C5C5C5 DADADA EDEDED FAFAFA",
    "405D63 3F5B61 3C5860 3A565D 3D5861 405860 56656A 757D7F A1A3A4 C5C5C5 DADADA EDEDED FAFAFA",
    "405D63 3F5B61 3C5860 3A565D 3D5861 405860 56656A 757D7F A1A3A4 C5C5C5 DADADA EDEDED FAFAFA",
};

std::vector<Color> parseRow(const char* text)
{
    std::vector<Color> row;
    for (const QString& token : QString::fromLatin1(text).split(QLatin1Char(' '))) {
        const uint v = token.toUInt(nullptr, 16);
        row.push_back(skin::rgb(int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF));
    }
    return row;
}

// Pixels inside the outline that a block does not store, in corner coordinates (u, v): some
// that the bands paint over anyway, so that the stored counts come out right, and in the
// graphite image twelve single pixels of the bottom glow.
std::set<std::pair<int, int>> unstored(Image image, Corner corner)
{
    const bool graphite = image == Image::Graphite;
    switch (corner) {
    case Corner::TopLeft: return {{17, 1}, {17, 2}, {17, 3}};
    case Corner::BottomLeft:
        if (graphite)
            return {{17, 9}, {4, 5}, {8, 5}, {6, 3}, {10, 4}};
        return {};
    case Corner::BottomRight:
        if (graphite)
            return {{3, 5}, {7, 5}, {11, 5}, {5, 4}, {9, 4}, {3, 3}, {7, 3}, {11, 3}};
        return {};
    case Corner::TopRight: return {};
    }
    return {};
}

bool outsideOutline(Corner corner, int u, int v)
{
    const std::span<const int> insets = skin::gel::outlineInsets(corner);
    return v < int(insets.size()) && u < insets[std::size_t(v)];
}

QImage drawBlock(Image image, Corner corner)
{
    const QSize size = skin::gel::blockSize(image, corner);
    const CornerPainter painter(image, corner);
    const std::set<std::pair<int, int>> skipped = unstored(image, corner);
    const std::vector<Color> row0 = parseRow(kTopLeftRow0[int(image)]);
    const std::vector<Color> rowH2 = parseRow(kBottomRightRow[int(image)]);
    QImage block(size, QImage::Format_ARGB32);
    block.fill(Qt::transparent);
    for (int by = 0; by < size.height(); ++by)
        for (int bx = 0; bx < size.width(); ++bx) {
            const int u = isRight(corner) ? skin::gel::kRightColumns - 1 - bx : bx;
            const int v = isBottom(corner) ? size.height() - 1 - by : by;
            if (outsideOutline(corner, u, v) || skipped.count({u, v}))
                continue;
            Color c = painter.color(u, v);
            if (corner == Corner::TopLeft && v == 0 && u >= 6)
                c = row0[std::size_t(u - 6)];
            if (corner == Corner::BottomRight && v == 1 && bx <= 12)
                c = rowH2[std::size_t(bx)];
            block.setPixel(bx, by, 0xFF000000u | QRgb(skin::redOf(c) << 16 | skin::greenOf(c) << 8 | skin::blueOf(c)));
        }
    return block;
}

int storedCount(const QImage& block)
{
    int n = 0;
    for (int y = 0; y < block.height(); ++y)
        for (int x = 0; x < block.width(); ++x)
            n += qAlpha(block.pixel(x, y)) == 255 ? 1 : 0;
    return n;
}

// Stored pixels per block, in the painters' order: top-left, bottom-left, top-right, bottom-right.
constexpr int kStoredCounts[3][4] = {{212, 161, 197, 142}, {176, 202, 163, 182}, {176, 202, 163, 182}};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skinbutton-gel-artwork FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const Image image : skin::gel::kImages)
        for (const Corner corner : skin::gel::kCorners) {
            const QImage block = drawBlock(image, corner);
            const QString name = QFileInfo(skin::gel::blockResource(image, corner)).fileName();
            const int expected = kStoredCounts[int(image)][int(corner)];
            if (storedCount(block) != expected) {
                std::fprintf(stderr, "%s: %d stored pixels, not %d\n", qPrintable(name), storedCount(block), expected);
                return 1;
            }
            if (!block.save(folder.filePath(name), "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(name)));
                return 1;
            }
        }
    return 0;
}
