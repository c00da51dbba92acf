#include "WindowPlacement.h"

#include "Registry.h"
#include "forms/Placing.h"

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

// The screen holding the largest part of the window.
QRect landingScreen(const QRect& window, const QList<QRect>& screens)
{
    QRect best;
    qint64 bestArea = -1;
    for (const QRect& screen : screens) {
        const QRect shared = screen.intersected(window);
        const qint64 area = shared.isEmpty() ? 0 : qint64(shared.width()) * shared.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

} // namespace

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
    return forms::centredIn(frame, primary);
}

QPoint restoredPosition(const QPoint& stored, const QSize& frame, const Screens& screens)
{
    const QRect window(stored, frame);
    if (stored.isNull() || !onAnyScreen(window, screens.all))
        return centredPosition(frame, screens.primary);
    return forms::fittedOnto(window, landingScreen(window, screens.all));
}

QPoint OpeningPosition::open(const QPoint& stored, const QSize& frame, const Screens& screens)
{
    const QPoint position = restoredPosition(stored, frame, screens);
    m_opening = Opening{frame, position, position == centredPosition(frame, screens.primary)};
    return position;
}

std::optional<QPoint> OpeningPosition::recentred(const QPoint& position, const QSize& frame, const Screens& screens)
{
    if (!m_opening || frame == m_opening->frame)
        return std::nullopt;
    const Opening opening = *m_opening;
    m_opening.reset();
    if (position != opening.position)
        return std::nullopt;
    const QPoint better = opening.centred ? centredPosition(frame, screens.primary)
                                          : restoredPosition(position, frame, screens);
    if (better == position)
        return std::nullopt;
    return better;
}

std::optional<QPoint> besideWindow(const QRect& owner, const QSize& size, const QRect& available)
{
    constexpr int kGap = 8;
    const int alongY = std::clamp(owner.top(), available.top(), std::max(available.top(), available.bottom() + 1 - size.height()));
    const int alongX = std::clamp(owner.left(), available.left(), std::max(available.left(), available.right() + 1 - size.width()));
    const QPoint sides[] = {
        {owner.right() + 1 + kGap, alongY},
        {owner.left() - kGap - size.width(), alongY},
        {alongX, owner.bottom() + 1 + kGap},
        {alongX, owner.top() - kGap - size.height()},
    };
    for (const QPoint& at : sides)
        if (available.contains(QRect(at, size)))
            return at;
    return std::nullopt;
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
