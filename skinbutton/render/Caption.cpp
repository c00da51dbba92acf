#include "Caption.h"

#include "Arithmetic.h"
#include "ButtonColors.h"
#include "CaptionFormat.h"
#include "Surface.h"

#include <QPainter>

namespace skin {

namespace {

constexpr int kHighlightStyle = 4;
constexpr int kPressedState = 3;
constexpr int kHotState = 2;
constexpr int kShadowOffset = 2;

QRect toQRect(const Rect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

int centred(int length, int size) { return roundHalfEven((double(length) - size) / 2.0); }

void paintIcon(Surface& surface, const QImage& icon, QPoint at, int size)
{
    QPainter painter(&surface.image());
    painter.drawImage(QRect(at, QSize(size, size)), icon);
}

// Everything in the (s+1) x (s+1) square that is not face colour turns flat grey.
void greySilhouette(Surface& surface, QPoint at, int size)
{
    const Color face = surface.pixel(1, 1);
    for (int y = at.y(); y <= at.y() + size; ++y)
        for (int x = at.x(); x <= at.x() + size; ++x)
            if (surface.contains(x, y) && surface.pixel(x, y) != face)
                surface.setPixel(x, y, ButtonColors::kSilhouette);
}

} // namespace

void DrawCaption(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    if (look.caption.isEmpty())
        return;
    const QRect area = toQRect(look.captionRect);
    if (area.isEmpty())
        return;
    QPainter painter(&surface.image());
    painter.setClipRect(area);
    painter.setFont(look.font);
    painter.setPen(QColor::fromRgb(toQRgb(colors.caption(look.state))));
    painter.drawText(area, qtTextFlagsFor(look.captionFormat), look.caption);
}

QPoint iconPosition(const ButtonLook& look, int width, int height, int margin)
{
    const int s = look.iconSize;
    switch (look.iconAlign) {
    case 0: return {centred(width, s), centred(height, s)};
    case 1: return {margin, centred(height, s)};
    case 2: return {width - s - margin, centred(height, s)};
    case 3: return {centred(width, s), margin};
    case 4: return {centred(width, s), height - s - margin};
    default: return {0, 0};
    }
}

void DrawIcon(const ButtonLook& look, Surface& surface, int margin)
{
    if (look.icon.isNull())
        return;
    QPoint at = iconPosition(look, surface.width(), surface.height(), margin);
    // the icon sinks with the pressed button
    if (look.state == kPressedState)
        at += QPoint(1, 1);
    // hover shadow: a grey copy, the icon itself up and left of it
    if (look.state == kHotState && look.style == kHighlightStyle) {
        paintIcon(surface, look.icon, at, look.iconSize);
        greySilhouette(surface, at, look.iconSize);
        at -= QPoint(kShadowOffset, kShadowOffset);
    }
    paintIcon(surface, look.icon, at, look.iconSize);
}

} // namespace skin
