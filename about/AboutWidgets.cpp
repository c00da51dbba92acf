#include "AboutWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QtDebug>

namespace zarvok::about {

SvgPicture::SvgPicture(const QString& source, QWidget* parent)
    : QWidget(parent)
    , m_svg(source)
{
    if (!m_svg.isValid())
        qWarning() << "Cannot read the picture" << source;
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_svg.render(&painter, QRectF(rect()));
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true); // covers the blank of the lead-in it sits in
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
                           || event->key() == Qt::Key_Space;
    if (activates && event->modifiers() == Qt::NoModifier) {
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace zarvok::about
