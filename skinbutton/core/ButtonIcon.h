#pragma once
// The icon a SkinButton hands its renderer. Qt's icon (QAbstractButton::setIcon) is drawn as a
// QPushButton draws it: the icon's own pixmap for the mode and state, at the screen's resolution;
// a written picture greyed the same way while disabled.

#include <QIcon>
#include <QImage>

class QWidget;

namespace skin {

// A square of `side` logical pixels at the device pixel ratio, holding the icon's pixmap for
// the mode and state centred (an icon that is not square keeps its proportions).
QImage iconImage(const QIcon& icon, int side, qreal ratio, QIcon::Mode mode, QIcon::State state);

// A picture greyed as the widget's style greys a disabled icon.
QImage disabledImage(const QImage& picture, const QWidget* widget);

} // namespace skin
