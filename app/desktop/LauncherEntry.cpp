#include "LauncherEntry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include <cmath>

namespace zarvok::app {

LauncherEntry::LauncherEntry(const QString& desktopId)
    : m_appUri(QStringLiteral("application://") + desktopId + QStringLiteral(".desktop"))
    , m_objectPath(QLatin1Char('/') + QString(desktopId).replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'))
                   + QStringLiteral("/LauncherEntry"))
{
}

void LauncherEntry::showProgress(std::optional<double> fraction)
{
    const std::optional<int> percent = fraction ? std::optional<int>(int(std::floor(*fraction * 100))) : std::nullopt;
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    QDBusMessage update = QDBusMessage::createSignal(m_objectPath, QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                     QStringLiteral("Update"));
    const QVariantMap properties{{QStringLiteral("progress"), fraction.value_or(0.0)},
                                 {QStringLiteral("progress-visible"), fraction.has_value()}};
    update << m_appUri << properties;
    QDBusConnection::sessionBus().send(update);
}

} // namespace zarvok::app
