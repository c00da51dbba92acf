#include "Placing.h"

#include <algorithm>

namespace zarvok::forms {

QPoint centredIn(const QSize& size, const QRect& area)
{
    return {area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2};
}

QPoint fittedOnto(const QRect& window, const QRect& screen)
{
    const int x = std::max(screen.left(), std::min(window.left(), screen.right() + 1 - window.width()));
    const int y = std::max(screen.top(), std::min(window.top(), screen.bottom() + 1 - window.height()));
    return {x, y};
}

Label* placeLabel(QWidget* parent, const char* name, const QString& text, const Twips& where, Qt::Alignment alignment,
                  const QFont& font)
{
    auto* label = place(new Label(text, parent), name, where);
    label->setAlignment(alignment);
    label->setFont(font);
    return label;
}

} // namespace zarvok::forms
