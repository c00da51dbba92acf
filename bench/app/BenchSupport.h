#pragma once
// What the window benchmarks share: an offscreen application with its own settings folder, and
// the window with the desktop's services except that it never ends the process.

#include "frmMain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Call before constructing QApplication.
inline void useOffscreenPlatformAndPrivateSettings(const QTemporaryDir& home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
}

inline std::unique_ptr<zarvok::app::frmMain> makeWindow()
{
    zarvok::app::WindowServices services;
    services.executableName = QStringLiteral("zarvok-bench");
    return std::make_unique<zarvok::app::frmMain>(std::move(services));
}

} // namespace bench
