#pragma once
// Placing windows on a screen and controls on a form.

#include "Accessible.h"
#include "Twips.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zarvok::forms {

// The top-left corner that centres `size` in `area`.
QPoint centredIn(const QSize& size, const QRect& area);

// A window moved just enough to lie wholly on the screen; one larger than the screen keeps its
// top-left corner, and with it the title bar, on it.
QPoint fittedOnto(const QRect& window, const QRect& screen);

// Names a control and gives it its designed place.
template <typename Widget>
Widget* place(Widget* widget, const char* name, const Twips& where)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(toPixels(where));
    return widget;
}

// A label at its designed place, in its font.
Label* placeLabel(QWidget* parent, const char* name, const QString& text, const Twips& where, Qt::Alignment alignment,
                  const QFont& font);

} // namespace zarvok::forms
