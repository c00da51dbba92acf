#pragma once
// The control keeps colours as 0x00BBGGRR numbers and pictures with their source path; Qt's
// tools (setProperty, Designer's editors, style sheets, QML) speak QColor, QPixmap, QIcon and
// QImage. These convert between the two.

#include "PropertyBag.h"
#include "Color.h"

#include <QColor>
#include <QPixmap>

namespace skin {

// -1, the result of a failed translation, is the invalid QColor and back; alpha is ignored.
QColor toQColor(Color c);
Color fromQColor(const QColor& c);

QPixmap toPixmap(const Picture& picture);
Picture fromPixmap(const QPixmap& pixmap);

} // namespace skin
