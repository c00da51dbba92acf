#include "DeviceScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skin {

namespace {

int firstDevicePixel(int logical, qreal ratio) { return int(std::ceil(logical * ratio - 0.5)); }

// The logical pixel each device pixel of a line takes its colour from.
std::vector<int> logicalSources(int deviceLength, int logicalLength, qreal ratio)
{
    std::vector<int> sources(static_cast<std::size_t>(deviceLength));
    for (int d = 0; d < deviceLength; ++d)
        sources[std::size_t(d)] = std::min(int(std::floor((d + 0.5) / ratio)), logicalLength - 1);
    return sources;
}

} // namespace

DeviceSpan deviceSpan(int from, int to, qreal ratio)
{
    return {firstDevicePixel(from, ratio), firstDevicePixel(to + 1, ratio) - 1};
}

QImage scaledToDevice(const QImage& logical, qreal ratio)
{
    const int w = int(std::ceil(logical.width() * ratio));
    const int h = int(std::ceil(logical.height() * ratio));
    QImage device(w, h, logical.format());
    device.setDevicePixelRatio(ratio);
    if (logical.isNull() || device.isNull())
        return device;
    const std::vector<int> columns = logicalSources(w, logical.width(), ratio);
    const std::vector<int> rows = logicalSources(h, logical.height(), ratio);
    for (int y = 0; y < h; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(logical.constScanLine(rows[std::size_t(y)]));
        auto* to = reinterpret_cast<QRgb*>(device.scanLine(y));
        for (int x = 0; x < w; ++x)
            to[x] = from[columns[std::size_t(x)]];
    }
    return device;
}

} // namespace skin
