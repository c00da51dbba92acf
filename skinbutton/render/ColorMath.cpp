#include "ColorMath.h"

#include "Arithmetic.h"

#include <algorithm>

namespace skin {

namespace {

int clampChannel(int v) { return std::clamp(v, 0, 255); }

int lightenChannel(int v, int amount) { return clampChannel(amount + ((255 - amount) * v) / 255); }

int blendChannel(int a, int b) { return roundHalfEven((double(a) + double(b)) / 2.0); }

} // namespace

Color BlendColors(Color a, Color b)
{
    return rgb(blendChannel(redOf(a), redOf(b)), blendChannel(greenOf(a), greenOf(b)),
               blendChannel(blueOf(a), blueOf(b)));
}

Color LightenColor(Color c, int amount)
{
    return rgb(lightenChannel(redOf(c), amount), lightenChannel(greenOf(c), amount),
               lightenChannel(blueOf(c), amount));
}

Color ShiftColor(Color c, int delta)
{
    return rgb(clampChannel(redOf(c) + delta), clampChannel(greenOf(c) + delta),
               clampChannel(blueOf(c) + delta));
}

} // namespace skin
