#include "DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <QtDebug>

namespace zarvok::app {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");
// The icon the package installs into the hicolor theme; the desktop id names the entry, not it.
const QString kIconName = QStringLiteral("zarvok");

} // namespace

DesktopNotifications::DesktopNotifications(const QString& desktopId, QObject* parent)
    : QObject(parent)
    , m_desktopId(desktopId)
{
    QDBusConnection::sessionBus().connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                                          SLOT(onActionInvoked(uint, QString)));
}

void DesktopNotifications::notify(const QString& summary, const QString& body, std::function<void()> activated)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    m_activated = std::move(activated);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), m_desktopId}};
    call << QStringLiteral("Zarvok") << m_shownId << kIconName << summary << body
         << QStringList{kDefaultAction, QStringLiteral("Show Zarvok")} << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isError())
            qInfo() << "No desktop notification:" << reply.error().message();
        else
            m_shownId = reply.value();
        finished->deleteLater();
    });
}

void DesktopNotifications::onActionInvoked(uint id, const QString& action)
{
    if (id == m_shownId && action == kDefaultAction && m_activated)
        m_activated();
}

} // namespace zarvok::app
