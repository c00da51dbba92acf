#include "Primitives.h"

#include "Arithmetic.h"
#include "ColorMath.h"
#include "Surface.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace skin {

namespace {

// Bresenham walk; the end pixel is left for the next segment to paint.
void drawSlantedLine(Surface& surface, int x1, int y1, int x2, int y2, Color c)
{
    const std::int64_t dx = std::llabs(std::int64_t(x2) - x1);
    const std::int64_t dy = -std::llabs(std::int64_t(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    std::int64_t error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        surface.setPixel(x, y, c);
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// One channel's walk from its first value in steps of a single-precision float. A float is
// m / 2^shift with an integer m, so first + step * i is (first * 2^shift + m * i) / 2^shift
// exactly, and rounding it halves to even needs no floating point per row.
struct ChannelWalk {
    std::int64_t scaledFirst = 0;
    std::int64_t mantissa = 0;
    int shift = 0;

    // Rounding halves to even without a branch: floor((v + half - 1 + odd) / 2^shift), odd the
    // lowest bit of floor(v / 2^shift); both 0 when nothing is shifted out.
    std::int64_t bias = 0;
    std::int64_t odd = 0;

    int at(int i) const
    {
        const std::int64_t v = scaledFirst + mantissa * i;
        return int((v + bias + ((v >> shift) & odd)) >> shift); // >> is floor, also below zero
    }
};

// The step is kept in single precision, as (to - from) / n.
ChannelWalk channelWalk(int from, int to, int n)
{
    const float step = n == 0 ? 0.0f : float(double(to - from) / double(n));
    if (step == 0.0f)
        return {from, 0, 0};
    // a normal float: (2^23 + fraction) * 2^(exponent - 150), read from its bits
    const auto bits = std::bit_cast<std::uint32_t>(step);
    std::int64_t mantissa = (bits & 0x7FFFFF) | 0x800000;
    int shift = 150 - int((bits >> 23) & 0xFF);
    const int zeros = std::min(std::countr_zero(std::uint64_t(mantissa)), std::max(shift, 0));
    mantissa >>= zeros;
    shift -= zeros;
    if ((bits >> 31) != 0)
        mantissa = -mantissa;
    if (shift == 0)
        return {from, mantissa, 0};
    return {std::int64_t(from) << shift, mantissa, shift, (std::int64_t(1) << (shift - 1)) - 1, 1};
}

struct ChannelSteps {
    ChannelWalk red;
    ChannelWalk green;
    ChannelWalk blue;
};

ChannelSteps stepsBetween(Color c1, Color c2, int n)
{
    return {channelWalk(redOf(c1), redOf(c2), n), channelWalk(greenOf(c1), greenOf(c2), n),
            channelWalk(blueOf(c1), blueOf(c2), n)};
}

Color gradientColor(const ChannelSteps& steps, int i)
{
    return rgb(steps.red.at(i), steps.green.at(i), steps.blue.at(i));
}

} // namespace

void DrawLine(Surface& surface, int x1, int y1, int x2, int y2, Color c)
{
    if (y1 == y2) {
        const int from = x1 <= x2 ? x1 : x2 + 1;
        const int to = x1 <= x2 ? x2 : checkedSum(x1, 1);
        surface.fillRect(from, y1, to, checkedSum(y1, 1), c);
    } else if (x1 == x2) {
        const int from = y1 <= y2 ? y1 : y2 + 1;
        const int to = y1 <= y2 ? y2 : checkedSum(y1, 1);
        surface.fillRect(x1, from, checkedSum(x1, 1), to, c);
    } else {
        drawSlantedLine(surface, x1, y1, x2, y2, c);
    }
}

void FillRectSolid(Surface& surface, const Rect& rect, Color c)
{
    surface.fillRect(rect.left, rect.top, rect.right, rect.bottom, c);
}

void FillBox(Surface& surface, int x, int y, int width, int height, Color c)
{
    surface.fillRect(x, y, checkedSum(x, width), checkedSum(y, height), c);
}

void DrawBox(Surface& surface, int x, int y, int width, int height, Color c)
{
    const int right = checkedSum(x, width);
    const int bottom = checkedSum(y, height);
    DrawLine(surface, x, y, right, y, c);
    DrawLine(surface, right, y, right, bottom, c);
    DrawLine(surface, right, bottom, x, bottom, c);
    DrawLine(surface, x, bottom, x, y, c);
}

void GradientRows(Surface& surface, Color c1, Color c2, int x1, int y, int x2, int n)
{
    const ChannelSteps steps = stepsBetween(c1, c2, n);
    checkedSum(y, n);
    if (n < 0)
        return;
    // each row is the line from x1 toward x2 without its end pixel, in either direction
    const int from = x1 <= x2 ? x1 : x2 + 1;
    const int to = x1 <= x2 ? x2 : checkedSum(x1, 1);
    surface.fillRows(from, to, y, checkedSum(n, 1), [&](int i) { return gradientColor(steps, i); });
}

void GradientColumns(Surface& surface, Color c1, Color c2, int x1, int y1, int x2, int y2)
{
    int n = 0;
    if (__builtin_sub_overflow(x2, x1, &n))
        throw std::overflow_error("gradient width out of the 32-bit range");
    const ChannelSteps steps = stepsBetween(c1, c2, n);
    for (int i = 0; i <= n; ++i)
        DrawLine(surface, x1 + i, y1, x1 + i, y2, gradientColor(steps, i));
}

void DrawEtchedFrame(Surface& surface, int x, int y, int width, int height, Color c1, Color c2,
                     Color c3)
{
    // outer outline, then the same outline one pixel right and down
    DrawBox(surface, x, y, width - 1, height - 1, c1);
    DrawBox(surface, x + 1, y + 1, width - 1, height - 1, c2);
    // the two outer corners the offset leaves sticking out take the face colour
    surface.setPixel(x, y + height, c3);
    surface.setPixel(x + width, y, c3);
    // where the outlines cross, the average of both
    const Color crossing = BlendColors(c2, c1);
    surface.setPixel(x + 1, y + height - 1, crossing);
    surface.setPixel(x + width - 1, y + 1, crossing);
}

} // namespace skin
