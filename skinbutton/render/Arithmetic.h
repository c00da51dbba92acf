#pragma once
// Integer rules shared by every drawing step. A float that becomes a pixel coordinate or a
// colour channel is rounded to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4); a
// coordinate sum that leaves the 32-bit range is an error, not a wrap-around.

#include <cmath>
#include <limits>
#include <stdexcept>

namespace skin {

inline int roundHalfEven(double value)
{
    // rint follows the current rounding mode, which is round-to-nearest-even by default; unlike
    // nearbyint the compiler inlines it, and gradients round three channels per row.
    const double rounded = std::rint(value);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        throw std::overflow_error("pixel value out of the 32-bit range");
    return static_cast<int>(rounded);
}

inline int checkedSum(int a, int b)
{
    int sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw std::overflow_error("pixel coordinate out of the 32-bit range");
    return sum;
}

} // namespace skin
