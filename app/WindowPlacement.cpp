#include "WindowPlacement.h"

#include "Registry.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

namespace zarvok::app {
namespace {

using namespace zarvok::settings;

const QString kLeft = QStringLiteral("MainLeft");
const QString kTop = QStringLiteral("MainTop");

int readPixels(const QString& key, const QString& name)
{
    return pixelsFromTwips(RegValueToFloat(RegReadValue(Hive::CurrentUser, key, name, QStringLiteral("0"))));
}

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
    return static_cast<std::int32_t>(pixels) * kTwipsPerPixel;
}

QString settingsKey(const QString& exe)
{
    return QStringLiteral("Software\\Vantrel Software\\") + exe + QStringLiteral("\\Main");
}

QString executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
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

QPoint readStoredPosition(const QString& exe)
{
    const QString key = settingsKey(exe);
    return {readPixels(key, kLeft), readPixels(key, kTop)};
}

bool writeStoredPosition(const QString& exe, const QPoint& position)
{
    const QString key = settingsKey(exe);
    const int left = RegWriteDword(Hive::CurrentUser, key, kLeft, twipsFromPixels(position.x()));
    const int top = RegWriteDword(Hive::CurrentUser, key, kTop, twipsFromPixels(position.y()));
    return left == RegOk && top == RegOk;
}

} // namespace zarvok::app
