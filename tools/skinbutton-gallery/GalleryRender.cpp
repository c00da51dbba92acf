#include "GalleryRender.h"

#include "skinbutton/core/SkinButton.h"
#include "skinbutton/core/SkinButton_p.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

namespace gallery {

namespace {

skin::PropertyBag storedProperties(const Options& o)
{
    skin::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Style"), qint32(o.style));
    bag.WriteProperty(QStringLiteral("Caption"), o.caption);
    bag.WriteProperty(QStringLiteral("Enabled"), o.state != skin::StateDisabled);
    bag.WriteProperty(QStringLiteral("ShowFocus"), o.showFocus);
    if (o.checked) {
        bag.WriteProperty(QStringLiteral("ButtonType"), qint32(skin::ToggleButton));
        bag.WriteProperty(QStringLiteral("Value"), true);
    }
    if (o.custom) {
        bag.WriteProperty(QStringLiteral("USeCustomColors"), true);
        bag.WriteProperty(QStringLiteral("BackColor"), skin::PropertyValue::colour(o.custom->back));
        bag.WriteProperty(QStringLiteral("HighlightColor"), skin::PropertyValue::colour(o.custom->highlight));
        bag.WriteProperty(QStringLiteral("FontColor"), skin::PropertyValue::colour(o.custom->font));
        bag.WriteProperty(QStringLiteral("FontHighlightColor"), skin::PropertyValue::colour(o.custom->fontHighlight));
    }
    return bag;
}

void sendFocus(skin::SkinButton* button)
{
    QFocusEvent event(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(button, &event);
}

void sendPointerEntry(skin::SkinButton* button)
{
    const QPointF centre = QRectF(button->rect()).center();
    QEnterEvent event(centre, centre, button->mapToGlobal(centre));
    QApplication::sendEvent(button, &event);
}

void sendLeftPress(skin::SkinButton* button)
{
    const QPointF centre = QRectF(button->rect()).center();
    QMouseEvent event(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

QImage withTransparentOutside(const QImage& surface, const QRegion& shape)
{
    QImage image = surface.convertToFormat(QImage::Format_ARGB32);
    if (shape.isEmpty())
        return image;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!shape.contains(QPoint(x, y)))
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

} // namespace

QImage renderButton(const Options& o)
{
    QWidget host;
    const auto colours = o.referencePalette ? skin::ColorSource::Reference : skin::ColorSource::Desktop;
    auto* button = skin::newSkinButton(&host, nullptr, colours);
    button->setObjectName(QStringLiteral("gallery"));
    button->setDesignMode(o.designMode);
    button->resize(o.size);
    host.resize(button->size());
    button->readProperties(storedProperties(o));
    button->setDefault(o.isDefault);
    if (o.focus)
        sendFocus(button);
    if (o.state == skin::StateHot)
        sendPointerEntry(button);
    else if (o.state == skin::StatePressed)
        sendLeftPress(button);
    const QImage surface = surfaceImageOf(*button);
    return o.mask ? withTransparentOutside(surface, button->mask()) : surface.copy();
}

QImage renderSheet(const Options& o)
{
    struct Column {
        const char* label;
        int state;
        bool focus;
        bool checked = false;
        bool isDefault = false;
    };
    const Column columns[] = {{"normal", skin::StateNormal, false},       {"hot", skin::StateHot, false},
                              {"pressed", skin::StatePressed, false},     {"disabled", skin::StateDisabled, false},
                              {"normal, focus", skin::StateNormal, true}, {"hot, focus", skin::StateHot, true},
                              {"checked", skin::StateNormal, false, true}, {"default", skin::StateNormal, false, false, true}};
    constexpr int kGap = 8;
    constexpr int kLabelWidth = 64;
    constexpr int kHeaderHeight = 20;
    const int columnCount = int(std::size(columns));
    const QList<int>& styles = builtStyles();
    const QSize cell(qMax(o.size.width(), 90) + kGap, qMax(o.size.height(), skin::SkinButton::kMinimumSide) + kGap);

    QImage sheet(kLabelWidth + columnCount * cell.width() + kGap, kHeaderHeight + int(styles.size()) * cell.height() + kGap,
                 QImage::Format_ARGB32);
    sheet.fill(o.mask ? QColor(Qt::transparent) : QColor(Qt::white));
    QPainter painter(&sheet);
    painter.setPen(Qt::black);
    for (int c = 0; c < columnCount; ++c)
        painter.drawText(QRect(kLabelWidth + c * cell.width(), 0, cell.width(), kHeaderHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(columns[c].label));
    for (int r = 0; r < int(styles.size()); ++r) {
        const int top = kHeaderHeight + r * cell.height();
        painter.drawText(QRect(kGap, top, kLabelWidth - kGap, cell.height() - kGap), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Style %1").arg(styles[r]));
        for (int c = 0; c < columnCount; ++c) {
            Options one = o;
            one.sheet = false;
            one.style = styles[r];
            one.state = columns[c].state;
            one.focus = columns[c].focus;
            one.checked = columns[c].checked;
            one.isDefault = columns[c].isDefault;
            painter.drawImage(QPoint(kLabelWidth + c * cell.width(), top), renderButton(one));
        }
    }
    return sheet;
}

} // namespace gallery
