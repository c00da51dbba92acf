#include "ButtonIcon.h"

#include <QPainter>
#include <QPixmap>

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

} // namespace skin
