#pragma once
// From the logical pixels the styles are designed in to the device pixels of a high-DPI screen.
// A device pixel belongs to the logical pixel its centre falls in, as QPainter fills it.

#include <QImage>

namespace skin {

// The device pixels [first, last] that logical pixels [from, to] cover at the ratio.
struct DeviceSpan {
    int first;
    int last;
};
DeviceSpan deviceSpan(int from, int to, qreal ratio);

// Each logical pixel as a solid block of device pixels, no smoothing; the result carries the
// ratio, so that QPainter on it works in logical coordinates.
QImage scaledToDevice(const QImage& logical, qreal ratio);

} // namespace skin
