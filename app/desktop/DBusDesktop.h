#pragma once
// The desktop as the window sees it, over the session's D-Bus: the taskbar's progress and
// notifications.

#include "DesktopBridge.h"
#include "DesktopNotifications.h"
#include "LauncherEntry.h"

namespace zarvok::app {

class DBusDesktop final : public DesktopBridge {
public:
    explicit DBusDesktop(const QString& desktopId) : m_launcher(desktopId), m_notifications(desktopId) {}

    void showProgress(std::optional<double> fraction) override { m_launcher.showProgress(fraction); }
    void notify(const QString& summary, const QString& body, std::function<void()> activated) override
    {
        m_notifications.notify(summary, body, std::move(activated));
    }

private:
    LauncherEntry m_launcher;
    DesktopNotifications m_notifications;
};

} // namespace zarvok::app
