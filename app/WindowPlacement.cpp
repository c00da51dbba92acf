#include "WindowPlacement.h"

#include "Registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarvok::app {
namespace {

using namespace zarvok::settings;

const QString kLeft = QStringLiteral("MainLeft");
const QString kTop = QStringLiteral("MainTop");

bool onAnyScreen(const QRect& window, const QList<QRect>& screens)
{
    for (const QRect& screen : screens)
        if (screen.intersects(window))
            return true;
    return false;
}

} // namespace

int pixelsFromTwips(double twips)
{
    return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel));
}

std::int32_t twipsFromPixels(int pixels)
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{pixels} * kTwipsPerPixel, lowest, highest));
}

QString settingsKey(const QString& exe)
{
    return QStringLiteral("Software\\Vantrel Software\\") + exe + QStringLiteral("\\Main");
}

QString executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

Screens currentScreens()
{
    Screens screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.primary = primary->geometry();
    for (const QScreen* screen : QGuiApplication::screens())
        screens.all.append(screen->geometry());
    return screens;
}

QPoint centredPosition(const QSize& frame, const QRect& primary)
{
    return {primary.x() + (primary.width() - frame.width()) / 2, primary.y() + (primary.height() - frame.height()) / 2};
}

QPoint restoredPosition(const QPoint& stored, const QSize& frame, const Screens& screens)
{
    if (stored.isNull() || !onAnyScreen(QRect(stored, frame), screens.all))
        return centredPosition(frame, screens.primary);
    return stored;
}

QPoint OpeningPosition::open(const QPoint& stored, const QSize& frame, const Screens& screens)
{
    const QPoint position = restoredPosition(stored, frame, screens);
    if (position == centredPosition(frame, screens.primary))
        m_centring = Centring{frame, position};
    return position;
}

std::optional<QPoint> OpeningPosition::recentred(const QPoint& position, const QSize& frame, const Screens& screens)
{
    if (!m_centring || frame == m_centring->frame)
        return std::nullopt;
    const bool stillThere = position == m_centring->position;
    m_centring.reset();
    if (!stillThere)
        return std::nullopt;
    return centredPosition(frame, screens.primary);
}

QPoint readStoredPosition(const QString& exe)
{
    const QList<RegValue> stored =
        RegReadValues(Hive::CurrentUser, settingsKey(exe), {kLeft, kTop}, QString()); // no number
    const auto left = RegValueToNumber(stored[0]);
    const auto top = RegValueToNumber(stored[1]);
    // Half a position is no position: a damaged file must not move the window to an edge.
    if (!left || !top)
        return {};
    return {pixelsFromTwips(*left), pixelsFromTwips(*top)};
}

bool writeStoredPosition(const QString& exe, const QPoint& position)
{
    return RegWriteDwords(Hive::CurrentUser, settingsKey(exe),
                          {{kLeft, twipsFromPixels(position.x())}, {kTop, twipsFromPixels(position.y())}})
           == RegOk;
}

} // namespace zarvok::app
