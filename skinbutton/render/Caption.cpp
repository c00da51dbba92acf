#include "Caption.h"

#include "Arithmetic.h"
#include "ButtonColors.h"
#include "CaptionFormat.h"
#include "DeviceScale.h"
#include "Surface.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace skin {

namespace {

constexpr int kShadowOffset = 2;

QRect toQRect(const Rect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

int centred(int length, int size) { return roundHalfEven((double(length) - size) / 2.0); }

void paintIcon(QImage& target, const QImage& icon, QPoint at, int size)
{
    QPainter painter(&target);
    painter.drawImage(QRect(at, QSize(size, size)), icon);
}

// Everything in the (s+1) x (s+1) square that is not face colour turns flat grey; on a
// high-DPI picture, every device pixel of that square.
void greySilhouette(QImage& target, QPoint at, int size)
{
    const qreal ratio = target.devicePixelRatio();
    const QRect bounds = target.rect();
    const int faceAt = deviceSpan(1, 1, ratio).first;
    // without a pixel (1,1) there is no face colour, and the whole square turns grey
    const QRgb face = bounds.contains(faceAt, faceAt) ? target.pixel(faceAt, faceAt) : QRgb(0);
    const DeviceSpan columns = deviceSpan(at.x(), at.x() + size, ratio);
    const DeviceSpan rows = deviceSpan(at.y(), at.y() + size, ratio);
    for (int y = rows.first; y <= rows.last; ++y)
        for (int x = columns.first; x <= columns.last; ++x)
            if (bounds.contains(x, y) && target.pixel(x, y) != face)
                target.setPixel(x, y, toQRgb(ButtonColors::kSilhouette));
}

// A caption with its mnemonic markers taken out: "&&" becomes "&", "&x" shows x underlined.
struct MarkedText {
    QString shown;
    std::vector<qsizetype> underlined;
};

MarkedText takeMnemonics(const QString& caption)
{
    MarkedText marked;
    marked.shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (++i == caption.size())
                break; // a trailing '&' marks nothing and is not shown
            if (caption[i] != QLatin1Char('&'))
                marked.underlined.push_back(marked.shown.size());
        }
        marked.shown.append(caption[i]);
    }
    return marked;
}

// Single-line captions take this path: Qt's own mnemonic underlining goes through a full text
// layout, which costs more than the rest of a repaint together.
void drawSingleLine(QPainter& painter, const QRect& area, int flags, const QString& caption)
{
    const MarkedText marked = takeMnemonics(caption);
    QRect drawn;
    painter.drawText(area, flags & ~Qt::TextShowMnemonic, marked.shown, &drawn);
    const QFontMetrics metrics = painter.fontMetrics();
    // below the row the glyphs stand on, leaving a pixel free, where Qt's own underline goes
    const int underlineTop = drawn.top() + metrics.ascent() + std::max(metrics.underlinePos(), 1) + 1;
    for (const qsizetype index : marked.underlined) {
        const int left = drawn.left() + metrics.horizontalAdvance(marked.shown.left(index));
        const int width = metrics.horizontalAdvance(marked.shown.mid(index, 1));
        painter.fillRect(QRect(left, underlineTop, width, std::max(metrics.lineWidth(), 1)),
                         painter.pen().color());
    }
}

} // namespace

void DrawCaption(const ButtonLook& look, QImage& target, const ButtonColors& colors)
{
    if (look.caption.isEmpty())
        return;
    const QRect area = toQRect(look.captionRect);
    if (area.isEmpty())
        return;
    QPainter painter(&target);
    painter.setClipRect(area);
    painter.setFont(look.font);
    painter.setPen(QColor::fromRgb(toQRgb(colors.caption(look.state))));
    const int flags = qtTextFlagsFor(look.captionFormat);
    if (flags & Qt::TextSingleLine)
        drawSingleLine(painter, area, flags, look.caption);
    else
        painter.drawText(area, flags, look.caption);
}

QPoint iconPosition(const ButtonLook& look, int width, int height, int margin)
{
    const int s = look.iconSize;
    switch (look.iconAlign) {
    case AlignCenter: return {centred(width, s), centred(height, s)};
    case AlignLeft: return {margin, centred(height, s)};
    case AlignRight: return {width - s - margin, centred(height, s)};
    case AlignTop: return {centred(width, s), margin};
    case AlignBottom: return {centred(width, s), height - s - margin};
    default: return {0, 0};
    }
}

void DrawIcon(const ButtonLook& look, QImage& target, QSize size, int margin)
{
    DrawIconAt(look, target, iconPosition(look, size.width(), size.height(), margin));
}

IconBesideCaption layOutIconBesideCaption(const ButtonLook& look, QSize size, const QPaintDevice* metricsDevice)
{
    constexpr int kGap = 4;
    IconBesideCaption out{look, {}};
    const QString text = takeMnemonics(look.caption).shown;
    const int textWidth = text.isEmpty() ? 0 : QFontMetrics(look.font, metricsDevice).horizontalAdvance(text);
    const int side = look.iconSize;
    const int group = side + (textWidth > 0 ? kGap + textWidth : 0);
    const Rect area = look.captionRect;
    const int room = area.right - area.left;
    int left = area.left;
    if (look.captionFormat & kTextCenter)
        left += std::max(0, centred(room, group));
    else if (look.captionFormat & kTextRight)
        left += std::max(0, room - group);

    int top = centred(size.height(), side);
    if (look.captionFormat & kTextBottom)
        top = area.bottom - side;
    else if (!(look.captionFormat & kTextVCenter))
        top = area.top;

    const int vertical = look.captionFormat & (kTextVCenter | kTextBottom);
    if (look.rightToLeft) {
        out.iconAt = QPoint(left + group - side, top);
        out.look.captionRect.right = std::min(area.right, left + textWidth + 1);
        out.look.captionFormat = vertical | kTextSingleLine | kTextRight;
    } else {
        out.iconAt = QPoint(left, top);
        out.look.captionRect.left = std::min(area.right, left + side + kGap);
        out.look.captionFormat = vertical | kTextSingleLine;
    }
    return out;
}

void DrawIconAt(const ButtonLook& look, QImage& target, QPoint at)
{
    if (look.icon.isNull() || target.isNull())
        return;
    // the icon sinks with the pressed button
    if (look.state == StatePressed)
        at += QPoint(1, 1);
    // hover shadow: a grey copy, the icon itself up and left of it
    if (look.state == StateHot && look.style == Highlight) {
        paintIcon(target, look.icon, at, look.iconSize);
        greySilhouette(target, at, look.iconSize);
        at -= QPoint(kShadowOffset, kShadowOffset);
    }
    paintIcon(target, look.icon, at, look.iconSize);
}

} // namespace skin
