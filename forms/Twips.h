#pragma once
// Forms are designed in twips: 15 twips are one pixel at 96 dpi.

#include <QRect>

#include <cstdint>

namespace zarvok::forms {

constexpr int kTwipsPerPixel = 15;

struct Twips {
    int left, top, width, height;
};

int pixelsFromTwips(double twips); // rounds halves to even
std::int32_t twipsFromPixels(int pixels);
QRect toPixels(const Twips& t);

} // namespace zarvok::forms
