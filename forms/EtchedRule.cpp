#include "EtchedRule.h"

#include <QPainter>

namespace zarvok::forms {

void EtchedRule::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int right = width() - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, right, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, right, 1);
}

} // namespace zarvok::forms
