#include "Announcer.h"

#include "forms/Accessible.h"

#include <QLabel>

namespace zarvok::app {

namespace {

// A pixel in the corner: screen readers read only what is on screen, and nobody sees it.
void makeInvisibleToSight(QWidget* widget)
{
    widget->setGeometry(0, 0, 1, 1);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QLabel* textOf(const QWidget* notification)
{
    return notification->findChild<QLabel*>();
}

} // namespace

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    makeInvisibleToSight(this);
    for (QWidget*& notification : m_notifications) {
        notification = new QWidget(this);
        forms::setAccessibleRole(notification, QAccessible::Notification);
        makeInvisibleToSight(notification);
        makeInvisibleToSight(new QLabel(notification));
        notification->hide();
    }
}

void Announcer::announce(const QString& text)
{
    QWidget* previous = m_notifications[m_shown];
    m_shown = (m_shown + 1) % m_notifications.size();
    QWidget* next = m_notifications[m_shown];
    textOf(next)->setText(text);
    next->setAccessibleName(text);
    previous->hide();
    next->show();
}

QString Announcer::lastText() const
{
    return textOf(shownNotification())->text();
}

} // namespace zarvok::app
