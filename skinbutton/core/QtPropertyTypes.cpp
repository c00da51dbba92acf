#include "QtPropertyTypes.h"


namespace skin {

QColor toQColor(Color c)
{
    if (c == kInvalidColor)
        return QColor();
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

Color fromQColor(const QColor& c)
{
    if (!c.isValid())
        return kInvalidColor;
    const QColor rgb = c.toRgb();
    return skin::rgb(rgb.red(), rgb.green(), rgb.blue());
}

QPixmap toPixmap(const Picture& picture) { return picture.isNull() ? QPixmap() : QPixmap::fromImage(picture.image); }

Picture fromPixmap(const QPixmap& pixmap)
{
    return Picture{QString(), pixmap.isNull() ? QImage() : pixmap.toImage()};
}

} // namespace skin
