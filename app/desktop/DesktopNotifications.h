#pragma once
// Desktop notifications through org.freedesktop.Notifications. The call is asynchronous: with no
// notification service nothing is shown and nothing waits. Picking the notification (its
// default action) runs the callback given with it.

#include <QObject>
#include <QString>

#include <functional>

namespace zarvok::app {

class DesktopNotifications final : public QObject {
    Q_OBJECT
public:
    DesktopNotifications(const QString& desktopId, QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body, std::function<void()> activated);

private slots:
    void onActionInvoked(uint id, const QString& action);

private:
    QString m_desktopId;
    uint m_shownId = 0; // the last notification, replaced by the next one
    std::function<void()> m_activated;
};

} // namespace zarvok::app
