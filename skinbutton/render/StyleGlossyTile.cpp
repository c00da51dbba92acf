#include "Styles.h"

#include "Arithmetic.h"
#include "ButtonColors.h"
#include "ColorMath.h"
#include "FaceCache.h"
#include "Primitives.h"
#include "Surface.h"

namespace skin {

namespace {


// A length along one axis: a constant plus whole multiples of W (or H) and of half of H.
// Evaluated in floating point and rounded halves to even, so an odd H gives H/2 = n.5.
struct Span {
    int constant;
    int sizes = 0; // multiples of W for columns, of H for rows
    int halves = 0;

    int at(int size) const { return roundHalfEven(constant + sizes * double(size) + halves * (size / 2.0)); }
};

constexpr Span fixed(int c) { return {c}; }
constexpr Span fromEnd(int c) { return {c, 1}; }   // W + c or H + c
constexpr Span fromHalf(int c) { return {c, 0, 1}; } // H/2 + c

// One column of an end: column x from row y over n steps, top colour to bottom colour (shifts
// of the face colour).
struct EndColumn {
    Span x;
    Span y;
    Span n;
    int top;
    int bottom;
};

// The two sculpted ends, in drawing order; later columns repaint earlier ones.
constexpr EndColumn kLeftEndColumns[] = {
    {fixed(0), fixed(0), fromEnd(-4), 128, -128},            // left outer edge
    {fixed(2), fixed(4), fromHalf(-7), 0, -37},              // left end, upper half
    {fixed(3), fixed(3), fromHalf(-7), 0, -53},
    {fixed(4), fixed(2), fromHalf(-7), 0, -37},
    {fixed(5), fixed(2), fromHalf(-4), 37, 5},               // upper half, light
    {fixed(2), fromHalf(-2), fromHalf(-5), -37, -32},        // left end, lower half
    {fixed(3), fromHalf(-3), fromHalf(-3), -53, -32},
    {fixed(4), fromHalf(-4), fromHalf(-1), -37, -32},
    {fixed(5), fromHalf(-4), fromHalf(-3), 5, -5},
};

constexpr EndColumn kRightEndColumns[] = {
    {fromEnd(-2), fixed(0), fromEnd(-4), 128, -128},         // right outer edge
    {fromEnd(-1), fixed(0), fromHalf(0), 128, -48},          // rightmost column, upper half
    {fromEnd(-1), fromHalf(0), fromHalf(-4), -64, -8},       // rightmost column, lower half
    {fromEnd(-4), fixed(4), fromHalf(-5), 0, -37},           // right end, upper half
    {fromEnd(-5), fixed(3), fromHalf(-4), 0, -48},
    {fromEnd(-6), fixed(2), fromHalf(-3), 0, -37},
    {fromEnd(-7), fixed(2), fromHalf(-4), 37, 5},            // upper half, light
    {fromEnd(-4), fromHalf(0), fromHalf(-5), -37, -21},      // right end, lower half
    {fromEnd(-5), fromHalf(0), fromHalf(-5), -48, -37},
    {fromEnd(-6), fromHalf(0), fromHalf(-4), -37, -53},
    {fromEnd(-7), fromHalf(0), fromHalf(-4), -5, -37},
};

// One row of a corner: row y from column x1 to column x2, left colour to right colour.
struct CornerRow {
    Span y;
    Span x1;
    Span x2;
    int left;
    int right;
};

constexpr CornerRow kLowerLeftRows[] = {
    {fromEnd(-5), fixed(5), fixed(12), -53, -32},
    {fromEnd(-6), fixed(4), fixed(7), -56, -32},
    {fromEnd(-7), fixed(3), fixed(5), -37, -32},
};
constexpr CornerRow kLowerRightRow = {fromEnd(-4), fromEnd(-15), fromEnd(-7), -32, -53};
constexpr CornerRow kGleamRows[] = {
    {fixed(2), fromEnd(-11), fromEnd(-4), 32, 0},
    {fixed(3), fromEnd(-10), fromEnd(-5), 32, 0},
    {fixed(4), fromEnd(-9), fromEnd(-6), 32, 0},
};

class Tile {
public:
    Tile(Surface& surface, Color face) : m_surface(surface), m_face(face), m_w(surface.width()), m_h(surface.height()) {}

    Color f(int shift) const { return ShiftColor(m_face, shift); }

    void column(const EndColumn& c) const
    {
        const int x = c.x.at(m_w);
        GradientRows(m_surface, f(c.top), f(c.bottom), x, c.y.at(m_h), x + 1, c.n.at(m_h));
    }

    void row(const CornerRow& r) const
    {
        const int y = r.y.at(m_h);
        GradientColumns(m_surface, f(r.left), f(r.right), r.x1.at(m_w), y, r.x2.at(m_w), y + 1);
    }

    int w() const { return m_w; }
    int h() const { return m_h; }
    Surface& surface() const { return m_surface; }

private:
    Surface& m_surface;
    Color m_face;
    int m_w;
    int m_h;
};

Color faceColor(VisualState state, const ButtonColors& colors)
{
    switch (state) {
    case StateNormal: return ShiftColor(colors.base(), -15);
    case StateHot: return ShiftColor(colors.hot(), 1);
    case StatePressed: return ShiftColor(colors.hot(), 24);
    default: return ShiftColor(colors.base(), 15); // disabled, and any other value
    }
}

void drawRims(const Tile& t)
{
    Surface& s = t.surface();
    const int w = t.w();
    const int h = t.h();
    // top rim, light only at the two ends of row 1
    DrawLine(s, 3, 0, w - 3, 0, t.f(48));
    DrawLine(s, 1, 1, w - 1, 1, t.f(48));
    DrawLine(s, 5, 1, w - 5, 1, t.f(0));
    // gleam across the upper right corner
    for (const CornerRow& r : kGleamRows)
        t.row(r);
    // highlight pixel near the upper left
    DrawLine(s, 6, 3, 7, 3, t.f(128));
    // bottom rim
    DrawLine(s, 3, h - 1, w - 3, h - 1, t.f(-16));
    DrawLine(s, 2, h - 2, w - 3, h - 2, t.f(-128));
    DrawLine(s, 7, h - 3, w - 7, h - 3, t.f(0));
    s.setPixel(1, h - 3, t.f(-112));
    s.setPixel(w - 3, h - 3, t.f(-112));
    // lower right diagonal
    DrawLine(s, w - 4, h - 1, w - 1, h - 4, t.f(-21));
}

// The tile depends on its size and face colour alone.
struct TileKey {
    QSize size;
    Color face = 0;
    friend bool operator==(const TileKey&, const TileKey&) = default;
};

void paintTile(Surface& surface, Color face)
{
    const Tile t(surface, face);
    // face colour everywhere; focus plays no part in this look
    surface.setBackColor(face);
    // body: columns 5 to W-6, rows 2 to H-4
    GradientRows(surface, t.f(32), t.f(-32), 5, 2, t.w() - 5, t.h() - 6);
    // left end, column by column, and its lower corner
    for (const EndColumn& c : kLeftEndColumns)
        t.column(c);
    for (const CornerRow& r : kLowerLeftRows)
        t.row(r);
    // right end and its lower corner
    for (const EndColumn& c : kRightEndColumns)
        t.column(c);
    t.row(kLowerRightRow);
    drawRims(t);
}

} // namespace

void DrawGlossyTile(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    const Color face = faceColor(look.state, colors);
    thread_local FaceCache<TileKey> tiles;
    const TileKey key{QSize(surface.width(), surface.height()), face};
    if (const QImage* tile = tiles.find(key)) {
        surface.adoptBackColor(face);
        surface.copyPixels(*tile);
        return;
    }
    paintTile(surface, face);
    tiles.keep(key, surface.image());
}

} // namespace skin
