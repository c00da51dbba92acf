#include "Primitives.h"

#include "Arithmetic.h"
#include "ColorMath.h"
#include "Surface.h"

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

struct ChannelSteps {
    float red;
    float green;
    float blue;
};

// The step is kept in single precision; the channel sums are formed in double from it.
float channelStep(int from, int to, int n) { return float(double(to - from) / double(n)); }

ChannelSteps stepsBetween(Color c1, Color c2, int n)
{
    if (n == 0)
        return {0.0f, 0.0f, 0.0f};
    return {channelStep(redOf(c1), redOf(c2), n), channelStep(greenOf(c1), greenOf(c2), n),
            channelStep(blueOf(c1), blueOf(c2), n)};
}

Color gradientColor(Color c1, const ChannelSteps& steps, int i)
{
    return rgb(roundHalfEven(redOf(c1) + double(steps.red) * i),
               roundHalfEven(greenOf(c1) + double(steps.green) * i),
               roundHalfEven(blueOf(c1) + double(steps.blue) * i));
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
    for (int i = 0; i <= n; ++i)
        DrawLine(surface, x1, y + i, x2, y + i, gradientColor(c1, steps, i));
}

void GradientColumns(Surface& surface, Color c1, Color c2, int x1, int y1, int x2, int y2)
{
    int n = 0;
    if (__builtin_sub_overflow(x2, x1, &n))
        throw std::overflow_error("gradient width out of the 32-bit range");
    const ChannelSteps steps = stepsBetween(c1, c2, n);
    for (int i = 0; i <= n; ++i)
        DrawLine(surface, x1 + i, y1, x1 + i, y2, gradientColor(c1, steps, i));
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
