#include "ToolTipRender.h"

#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace skin {

namespace {

// Rectangular form: a one-pixel frame, then the desktop's usual narrow padding.
constexpr int kFrameHorizontal = 5;
constexpr int kFrameVertical = 3;
constexpr int kBelowPointer = 20; // clears the arrow pointer drawn below its hot spot
constexpr int kRightOfPointer = 2;
// Balloon form.
constexpr int kBalloonHorizontal = 10;
constexpr int kBalloonVertical = 8;
constexpr int kCornerRadius = 8;
constexpr int kStemHeight = 14;
constexpr int kStemBase = 16;
constexpr int kStemInset = 18; // from the body's left edge, when the screen leaves room
// The stem ends one row off the pointer's hot spot: a window under the pointer would take the
// pointer from the button, and the button would hide its tip at once.
constexpr int kStemGap = 1;
constexpr int kMinimumBalloonWidth = 2 * kCornerRadius + kStemBase + 8;
// The title line.
constexpr int kIconSide = 16;
constexpr int kIconGap = 6;
constexpr int kTitleGap = 5;

const int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

Color paletteOr(Color stored, int systemIndex, const SystemColors& system)
{
    if (stored == 0)
        return system.color(systemIndex);
    const Color translated = system.translate(stored);
    return translated == kInvalidColor ? system.color(systemIndex) : translated;
}

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

QColor qColor(Color c) { return QColor::fromRgb(toQRgb(c)); }

// Keeps a span of length size inside [low, high] (a span longer than the room starts at low).
int clampSpan(int start, int size, int low, int high) { return std::max(low, std::min(start, high + 1 - size)); }

QString shownTitle(const ToolTipContent& content, const QFont& bold, int width)
{
    return QFontMetrics(bold).elidedText(content.title, Qt::ElideRight, width);
}

// The title line's icon and text from (0, 0); its height, 0 without a title line.
int layoutTitleLine(const ToolTipContent& content, const ToolTipFace& face, int maxWidth, ToolTipLayout& layout)
{
    if (!content.hasTitleLine())
        return 0;
    const QFont bold = boldOf(face.font);
    const bool icon = content.hasKnownIcon() && !face.icon.isNull();
    const QFontMetrics metrics(bold);
    const int height = std::max(icon ? kIconSide : 0, metrics.height());
    int x = 0;
    if (icon) {
        layout.iconRect = QRect(0, (height - kIconSide) / 2, kIconSide, kIconSide);
        x = kIconSide + kIconGap;
    }
    if (!content.title.isEmpty()) {
        const int width = metrics.horizontalAdvance(shownTitle(content, bold, std::max(maxWidth - x, 1)));
        layout.titleRect = QRect(x, 0, width, height);
    }
    return height;
}

} // namespace

ToolTipColors toolTipColors(const ToolTipContent& content, const SystemColors& system)
{
    return ToolTipColors{paletteOr(content.foreColor, kInfoText, system),
                         paletteOr(content.backColor, kInfoBackground, system)};
}

ToolTipLayout layoutToolTip(const ToolTipContent& content, const ToolTipFace& face, bool balloon, int maxTextWidth)
{
    ToolTipLayout layout;
    maxTextWidth = std::max(maxTextWidth, 1);
    const int titleHeight = layoutTitleLine(content, face, maxTextWidth, layout);
    const int textTop = titleHeight > 0 ? titleHeight + kTitleGap : 0;
    const QRect text = QFontMetrics(face.font).boundingRect(QRect(0, 0, maxTextWidth, 1 << 20), kTextFlags, content.text);
    layout.textRect = QRect(0, textTop, text.width(), text.height());

    const int contentWidth = std::max({layout.iconRect.right() + 1, layout.titleRect.right() + 1, text.width()});
    const QPoint origin = balloon ? QPoint(kBalloonHorizontal, kBalloonVertical) : QPoint(kFrameHorizontal, kFrameVertical);
    layout.bodySize = QSize(contentWidth + 2 * origin.x(), textTop + text.height() + 2 * origin.y());
    if (balloon)
        layout.bodySize.setWidth(std::max(layout.bodySize.width(), kMinimumBalloonWidth));
    for (QRect* part : {&layout.iconRect, &layout.titleRect, &layout.textRect})
        if (!part->isNull())
            part->translate(origin);
    return layout;
}

ToolTipGeometry placeToolTip(QSize bodySize, bool balloon, QPoint pointer, const QRect& screen)
{
    ToolTipGeometry g;
    g.balloon = balloon;
    const int width = bodySize.width();
    const int height = bodySize.height() + (balloon ? kStemHeight : 0);
    const int left = clampSpan(pointer.x() + (balloon ? -kStemInset : kRightOfPointer), width, screen.left(), screen.right());
    const int below = pointer.y() + (balloon ? kStemGap : kBelowPointer);
    const int above = balloon ? pointer.y() - kStemGap - height + 1 : pointer.y() - height - 2;
    g.stemUp = below + height - 1 <= screen.bottom();
    const int top = clampSpan(g.stemUp ? below : above, height, screen.top(), screen.bottom());
    g.window = QRect(left, top, width, height);
    if (!balloon) {
        g.body = QRect(QPoint(0, 0), bodySize);
        return g;
    }
    g.body = QRect(QPoint(0, g.stemUp ? kStemHeight : 0), bodySize);
    const int tipX = std::clamp(pointer.x() - left, kCornerRadius, width - 1 - kCornerRadius);
    g.stemTip = QPoint(tipX, g.stemUp ? 0 : height - 1);
    // The stem leans right of its tip, unless that would run into the body's right corner.
    const bool leansRight = tipX + kStemBase <= width - 1 - kCornerRadius;
    g.stemBaseLeft = leansRight ? tipX : tipX - kStemBase;
    g.stemBaseRight = leansRight ? tipX + kStemBase : tipX;
    return g;
}

// On pixel centres, so that a one-pixel pen stays inside the window.
QPainterPath toolTipShape(const ToolTipGeometry& g)
{
    constexpr qreal inset = 0.5;
    QPainterPath path;
    const QRectF body = QRectF(g.body).adjusted(inset, inset, -inset, -inset);
    if (!g.balloon) {
        path.addRect(body);
        return path;
    }
    path.addRoundedRect(body, kCornerRadius, kCornerRadius);
    // the stem's base reaches two pixels into the body, so the union leaves no seam
    const qreal baseY = g.stemUp ? body.top() + 2 : body.bottom() - 2;
    const qreal tipY = g.stemUp ? g.stemTip.y() + inset : g.stemTip.y() + 1 - inset;
    QPainterPath stem;
    stem.moveTo(g.stemBaseLeft + inset, baseY);
    stem.lineTo(g.stemTip.x() + inset, tipY);
    stem.lineTo(g.stemBaseRight + inset, baseY);
    stem.closeSubpath();
    return path.united(stem);
}

namespace {

void drawPanel(QPainter& painter, const ToolTipFace& face, const ToolTipColors& colors, const ToolTipGeometry& g)
{
    if (!g.balloon && face.style) {
        QStyleOptionFrame option;
        option.rect = g.body;
        option.palette.setColor(QPalette::ToolTipBase, qColor(colors.back));
        option.palette.setColor(QPalette::ToolTipText, qColor(colors.fore));
        option.palette.setColor(QPalette::Window, qColor(colors.back));
        option.palette.setColor(QPalette::WindowText, qColor(colors.fore));
        face.style->drawPrimitive(QStyle::PE_PanelTipLabel, &option, &painter, nullptr);
        return;
    }
    // aliased, so that the outline's pixels are exactly the edge of the window's shape
    painter.setPen(QPen(qColor(colors.fore), 1));
    painter.setBrush(qColor(colors.back));
    painter.drawPath(toolTipShape(g));
}

} // namespace

QRegion toolTipRegion(const ToolTipGeometry& geometry)
{
    if (!geometry.balloon)
        return QRegion(geometry.body);
    // the pixels the painter covers, as the outline drawn over them does
    QImage covered(geometry.window.size(), QImage::Format_ARGB32_Premultiplied);
    covered.fill(Qt::transparent);
    QPainter painter(&covered);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(toolTipShape(geometry));
    painter.end();
    return QRegion(QBitmap::fromImage(covered.createAlphaMask()));
}

QImage renderToolTip(const ToolTipContent& content, const ToolTipFace& face, const ToolTipColors& colors,
                     const ToolTipLayout& layout, const ToolTipGeometry& geometry, qreal devicePixelRatio)
{
    QImage image(geometry.window.size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawPanel(painter, face, colors, geometry);
    const QPoint origin = geometry.body.topLeft();
    if (!layout.iconRect.isNull())
        painter.drawImage(QRectF(layout.iconRect.translated(origin)), face.icon);
    painter.setPen(qColor(colors.fore));
    if (!layout.titleRect.isNull()) {
        const QFont bold = boldOf(face.font);
        painter.setFont(bold);
        const QRect title = layout.titleRect.translated(origin);
        painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         shownTitle(content, bold, title.width() + 1));
    }
    painter.setFont(face.font);
    painter.drawText(layout.textRect.translated(origin), kTextFlags, content.text);
    return image;
}

} // namespace skin
