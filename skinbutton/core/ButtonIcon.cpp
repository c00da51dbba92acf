#include "ButtonIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace skin {

QImage iconImage(const QIcon& icon, int side, qreal ratio, QIcon::Mode mode, QIcon::State state)
{
    if (icon.isNull() || side <= 0)
        return {};
    const QPixmap pixmap = icon.pixmap(QSize(side, side), ratio, mode, state);
    const int deviceSide = qRound(side * ratio);
    QImage square(deviceSide, deviceSide, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    const QSize drawn = pixmap.size().boundedTo(square.size());
    QPainter painter(&square);
    painter.drawPixmap(QRect(QPoint((deviceSide - drawn.width()) / 2, (deviceSide - drawn.height()) / 2), drawn), pixmap);
    painter.end();
    square.setDevicePixelRatio(ratio);
    return square;
}

QImage disabledImage(const QImage& picture, const QWidget* widget)
{
    if (picture.isNull())
        return picture;
    QStyleOption option;
    option.initFrom(widget);
    return widget->style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(picture), &option).toImage();
}

} // namespace skin
