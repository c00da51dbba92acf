// SkinButton's look: the snapshot of its state the renderer paints from, the surface's layout
// and window shape, painting, and the size hints.
#include "SkinButton.h"
#include "SkinButton_p.h"

#include "ButtonIcon.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/CaptionFormat.h"
#include "skinbutton/render/WindowShape.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace skin {

namespace {

// The room a style's cut or rounded corners take from each side of the caption.
int cornerInset(int style)
{
    switch (style) {
    case SkinButton::RoundedGradient:
    case SkinButton::FramedGradient: return 2;
    case SkinButton::ShadowedBevel:
    case SkinButton::GlossyTile: return 4;
    case SkinButton::PixelArtGel: return 6;
    default: return 0;
    }
}

} // namespace

ButtonLook SkinButtonPrivate::snapshot() const
{
    ButtonLook look;
    copyToLook(props, look);
    look.state = interaction.state();
    // A disabled window disables its buttons' looks as well as their input.
    look.enabled = props.enabled && q->isEnabled();
    look.hasFocus = interaction.hasFocus();
    look.isDefault = showsDefault();
    if (colorSource == ColorSource::Desktop) {
        // A style sheet's colours (or a palette set in code) stand apart from the application's.
        const QPalette own = q->palette();
        const QPalette application = QApplication::palette(q);
        const auto chosen = [&](QPalette::ColorRole role) {
            return own.color(QPalette::Active, role) != application.color(QPalette::Active, role);
        };
        look.faceColorChosen = chosen(QPalette::Button);
        look.captionColorChosen = chosen(QPalette::ButtonText);
    }
    look.iconBesideCaption = iconBesideCaption();
    look.rightToLeft = q->isRightToLeft();
    look.icon = iconForLook(look);
    look.userMode = !designMode;
    look.captionFormat = captionFormat;
    look.clientRect = clientRect;
    look.captionRect = captionRect;
    return look;
}

QImage SkinButtonPrivate::iconForLook(const ButtonLook& look) const
{
    if (!iconFromQt)
        return look.enabled || storedForm ? look.icon : disabledImage(look.icon, q);
    // As a QPushButton: disabled, active while focused, on while checked.
    QIcon::Mode mode = QIcon::Normal;
    if (!look.enabled)
        mode = QIcon::Disabled;
    else if (look.hasFocus)
        mode = QIcon::Active;
    const QIcon::State state = q->isChecked() ? QIcon::On : QIcon::Off;
    return iconImage(q->icon(), props.iconSize, q->devicePixelRatioF(), mode, state);
}

void SkinButtonPrivate::applyLayout()
{
    const int w = q->width();
    const int h = q->height();
    clientRect = Rect{0, 0, w, h};
    captionRect = Rect{4, 4, w - 4, h - 4};
    captionFormat = captionFormatFor(props.captionAlign, captionFormat);
    if (surface.width() != w || surface.height() != h)
        surface.resize(w, h);
    const QRegion shape = windowRegion(props.style, w, h);
    if (shape == QRegion(q->rect()))
        q->clearMask();
    else
        q->setMask(shape);
    q->Refresh();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    // What was written through QAbstractButton's own setters first, then face and frame in
    // logical pixels, caption and icon at the screen's own resolution.
    d->adoptFromButton();
    if (d->surface.deviceRatio() != devicePixelRatioF())
        Refresh(); // moved to a screen of another scale
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), d->surface.deviceImage());
}

void SkinButton::resizeEvent(QResizeEvent*) { d->applyLayout(); }

QSize SkinButtonPrivate::contentSizeHint() const
{
    const QFontMetrics metrics(q->font());
    QSize content = metrics.size(Qt::TextShowMnemonic, q->text());
    if (!q->Icon().isNull()) {
        const int side = q->IconSize();
        if (!iconBesideCaption() && (props.iconAlign == AlignTop || props.iconAlign == AlignBottom))
            content = QSize(qMax(content.width(), side), content.height() + side + 2);
        else
            content = QSize(content.width() + side + 4, qMax(content.height(), side));
    }
    return content + QSize(16 + 2 * cornerInset(props.style), 10);
}

QSize SkinButton::sizeHint() const { return d->contentSizeHint().expandedTo(QSize(75, 23)); }

QSize SkinButton::minimumSizeHint() const { return d->contentSizeHint(); }

} // namespace skin
