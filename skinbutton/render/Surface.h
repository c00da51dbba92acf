#pragma once
// The button's drawing surface: a 32-bit RGB image with a back colour and a font. Every
// primitive draws on it; writes outside the image are clipped, reads outside it give -1.

#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"

#include <QFont>
#include <QImage>
#include <QRgb>

#include <algorithm>
#include <span>
#include <utility>

namespace skin {

// Colours keep red in the low byte; only the low three bytes count when drawing.
constexpr QRgb toQRgb(Color c)
{
    return 0xFF000000u | (QRgb(redOf(c)) << 16) | (QRgb(greenOf(c)) << 8) | QRgb(blueOf(c));
}
constexpr Color fromQRgb(QRgb p) { return rgb(qRed(p), qGreen(p), qBlue(p)); }

class Surface {
public:
    Surface(int width, int height);

    // Keeps the back colour and font; the new pixels are all back colour.
    void resize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }
    const QImage& image() const { return m_image; }
    QImage& image() { return written(); }

    Color backColor() const { return m_backColor; }
    // False until a back colour is first set: a new control takes the button face then.
    bool hasBackColor() const { return m_hasBackColor; }
    // Repaints the whole surface in the new colour, as a control's back colour does.
    void setBackColor(Color c);
    // Takes the colour without repainting, for callers about to paint every pixel anyway.
    void adoptBackColor(Color c)
    {
        m_backColor = c;
        m_hasBackColor = true;
        m_allBackColor = false;
    }
    // Paints the whole surface in the back colour.
    void clear();
    // True when every pixel is in the back colour: cleared, and nothing written since (a
    // write access to image() counts as a write).
    bool isAllBackColor() const { return m_allBackColor; }

    const QFont& font() const { return m_font; }
    void setFont(const QFont& font) { m_font = font; }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c);
    // Right and bottom excluded; clipped to the surface.
    void fillRect(int left, int top, int right, int bottom, Color c);
    // Rows top .. top+count-1 of columns left .. right-1, row top+i in colorOf(i); clipped, and
    // colorOf is asked only for rows on the surface. The gradients' fast path.
    template <typename RowColor>
    void fillRows(int left, int right, int top, int count, RowColor colorOf);
    // The same run of pixels on rows top .. bottom-1, from column left on; clipped. Artwork
    // drawn row by row instead of pixel by pixel.
    void writeRows(int left, int top, int bottom, std::span<const QRgb> pixels);
    // Every pixel from an image of the surface's own size and format, into the surface's own
    // buffer (a copy that shared it would cost a second copy at the next write).
    void copyPixels(const QImage& from);

    // The picture for a screen of another device pixel ratio (its own ratio set), or the
    // logical image itself at ratio 1.
    const QImage& deviceImage() const { return m_deviceImage.isNull() ? m_image : m_deviceImage; }
    qreal deviceRatio() const { return m_deviceImage.isNull() ? 1.0 : m_deviceImage.devicePixelRatio(); }
    void setDeviceImage(QImage image) { m_deviceImage = std::move(image); }

private:
    QImage& written()
    {
        m_allBackColor = false;
        return m_image;
    }
    // count pixels from `from` on in one value; a short span (one-pixel gradient columns) stays
    // inline, a long one goes to the C library.
    static void fillSpan(QRgb* from, int count, QRgb value)
    {
        if (count < kShortSpan)
            std::fill_n(from, count, value);
        else
            fillLongSpan(from, count, value);
    }
    static void fillLongSpan(QRgb* from, int count, QRgb value);
    // Below this many pixels a plain loop beats the call into the C library.
    static constexpr int kShortSpan = 8;

    QImage m_image;
    int m_width = 0; // of m_image, kept here because every primitive asks
    int m_height = 0;
    QImage m_deviceImage;
    Color m_backColor = 0;
    bool m_hasBackColor = false;
    bool m_allBackColor = false;
    QFont m_font;
};

template <typename RowColor>
void Surface::fillRows(int left, int right, int top, int count, RowColor colorOf)
{
    left = std::max(left, 0);
    right = std::min(right, m_width);
    const long long first = std::max<long long>(0, -static_cast<long long>(top));
    const long long last = std::min<long long>(count, static_cast<long long>(m_height) - top);
    if (left >= right || first >= last)
        return;
    QRgb* row = reinterpret_cast<QRgb*>(written().scanLine(int(top + first))) + left;
    const qsizetype stride = m_image.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (long long i = first; i < last; ++i, row += stride)
        fillSpan(row, right - left, toQRgb(colorOf(int(i))));
}

} // namespace skin
