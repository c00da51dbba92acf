#pragma once
// The run's progress on the program's taskbar entry, through the com.canonical.Unity.LauncherEntry
// D-Bus signal that KDE Plasma's task manager and the common docks read. Without a session bus
// nothing is sent and nothing waits.

#include <QString>

#include <optional>

namespace zarvok::app {

class LauncherEntry {
public:
    // `desktopId`: the desktop entry's name without ".desktop".
    explicit LauncherEntry(const QString& desktopId);

    void showProgress(std::optional<double> fraction);

private:
    QString m_appUri;
    QString m_objectPath;
    std::optional<int> m_shownPercent; // what the dock was last told; repeats are not sent
};

} // namespace zarvok::app
