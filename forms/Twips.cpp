#include "Twips.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarvok::forms {

int pixelsFromTwips(double twips)
{
    return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel));
}

std::int32_t twipsFromPixels(int pixels)
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{pixels} * kTwipsPerPixel, lowest, highest));
}

QRect toPixels(const Twips& t)
{
    return {pixelsFromTwips(t.left), pixelsFromTwips(t.top), pixelsFromTwips(t.width), pixelsFromTwips(t.height)};
}

} // namespace zarvok::forms
