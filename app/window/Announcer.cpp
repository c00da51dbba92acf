#include "Announcer.h"

#include "forms/Accessible.h"

#include <QLabel>

namespace zarvok::app {

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("announcer"));
    forms::setAccessibleRole(this, QAccessible::Notification);
    // A pixel in the corner: screen readers read only what is on screen, and nobody sees it.
    setGeometry(0, 0, 1, 1);
    m_text->setGeometry(0, 0, 1, 1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Announcer::announce(const QString& text)
{
    hide();
    m_text->setText(text);
    setAccessibleName(text);
    show();
}

QString Announcer::lastText() const
{
    return m_text->text();
}

} // namespace zarvok::app
