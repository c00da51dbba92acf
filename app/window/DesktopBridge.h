#pragma once
// What the window tells the desktop beyond its own widgets: the progress of a run on its
// taskbar entry, and a notification when a run ends. Tests stand in for it; the program's own
// is in app/desktop.

#include <QString>

#include <functional>
#include <optional>

namespace zarvok::app {

class DesktopBridge {
public:
    virtual ~DesktopBridge() = default;
    // The share of the run done, 0 to 1; nothing: no progress shown.
    virtual void showProgress(std::optional<double> fraction) = 0;
    // A notification; `activated` runs if the user picks it. Never waits for the desktop.
    virtual void notify(const QString& summary, const QString& body, std::function<void()> activated) = 0;
};

// For a window without a desktop to tell.
class NoDesktop final : public DesktopBridge {
public:
    void showProgress(std::optional<double>) override {}
    void notify(const QString&, const QString&, std::function<void()>) override {}
};

} // namespace zarvok::app
