#include "ColorMath.h"

#include <algorithm>
#include <array>
#include <cmath>

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

namespace {

// sRGB channel values on the linear scale, by channel value.
const std::array<double, 256>& linearChannels()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int v = 0; v < 256; ++v) {
            const double c = v / 255.0;
            values[std::size_t(v)] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table;
}

} // namespace

double RelativeLuminance(Color c)
{
    const std::array<double, 256>& linear = linearChannels();
    return 0.2126 * linear[std::size_t(redOf(c))] + 0.7152 * linear[std::size_t(greenOf(c))] +
           0.0722 * linear[std::size_t(blueOf(c))];
}

double ContrastRatio(double luminanceA, double luminanceB)
{
    return (std::max(luminanceA, luminanceB) + 0.05) / (std::min(luminanceA, luminanceB) + 0.05);
}

Color ColorLegibleOn(Color c, Color background, double ratio)
{
    constexpr int kStep = 16;
    const double backgroundLuminance = RelativeLuminance(background);
    const bool lighten = backgroundLuminance < 0.2;
    Color result = c;
    for (int amount = kStep; amount <= 255 + kStep && ContrastRatio(RelativeLuminance(result), backgroundLuminance) < ratio;
         amount += kStep)
        result = lighten ? LightenColor(c, std::min(amount, 255)) : ShiftColor(c, -amount);
    return result;
}

} // namespace skin
