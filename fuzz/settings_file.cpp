// The settings store reading a whole settings file: the file of the window's position, written
// as the input, read the way the window reads it at start.
//
// After every input: each value read is the caller's default, a number, or text without a NUL;
// a number given back is finite and within 32 bits; the position is (0, 0) or both values
// converted, and lies within what 32-bit twips can say; and a position written back into the
// same file (when the write reports success) reads back unchanged.

#include "FuzzSupport.h"
#include "Registry.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace zarvok;
using settings::RegValue;

namespace {

QString g_home;

// Largest pixel coordinate that 32-bit twips stand for, rounded either way.
constexpr int kMostPixels = std::numeric_limits<std::int32_t>::max() / app::kTwipsPerPixel + 1;

QString describe(const RegValue& value)
{
    if (const auto* n = std::get_if<std::int32_t>(&value))
        return QStringLiteral("number %1").arg(*n);
    return QStringLiteral("text \"%1\"").arg(std::get<QString>(value));
}

void checkValue(const RegValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        fuzz::check(!text->contains(QChar(u'\0')), "a text value read back holds no NUL", describe(value));
    const auto number = settings::RegValueToNumber(value);
    if (number)
        fuzz::check(std::isfinite(*number) && *number >= std::numeric_limits<std::int32_t>::min()
                        && *number <= std::numeric_limits<std::int32_t>::max(),
                    "a stored number is finite and within 32 bits", describe(value));
}

QPoint expectedPosition(const QList<RegValue>& values)
{
    const auto left = settings::RegValueToNumber(values[0]);
    const auto top = settings::RegValueToNumber(values[1]);
    if (!left || !top)
        return {};
    return {app::pixelsFromTwips(*left), app::pixelsFromTwips(*top)};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    g_home = fuzz::usePrivateHome();
    fuzz::quietQtMessages();
    fuzz::startQt<QCoreApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString exe = QStringLiteral("zarvok-fuzz");
    const QString folder = g_home + QStringLiteral("/xdg_config_home/Vantrel Software");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + exe + QStringLiteral(".conf");
    {
        QFile file(path);
        fuzz::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the settings file can be written", path);
        file.write(reinterpret_cast<const char*>(data), qint64(size));
        // The store keeps a file it has read until its size or time changes: a time of its own
        // per input makes it read every input afresh.
        static qint64 serial = 1'000'000'000;
        file.setFileTime(QDateTime::fromSecsSinceEpoch(++serial), QFileDevice::FileModificationTime);
    }

    const QList<RegValue> values = settings::RegReadValues(settings::Hive::CurrentUser, app::settingsKey(exe),
                                                           {QStringLiteral("MainLeft"), QStringLiteral("MainTop")},
                                                           QString());
    fuzz::check(values.size() == 2, "one value per name");
    for (const RegValue& value : values)
        checkValue(value);

    const QPoint position = app::readStoredPosition(exe);
    fuzz::check(position == expectedPosition(values), "the position is both stored numbers or none",
                QStringLiteral("%1, %2 from %3 and %4")
                    .arg(position.x())
                    .arg(position.y())
                    .arg(describe(values[0]), describe(values[1])));
    fuzz::check(std::abs(position.x()) <= kMostPixels && std::abs(position.y()) <= kMostPixels,
                "the position is within what 32-bit twips can say");

    if (app::writeStoredPosition(exe, position))
        fuzz::check(app::readStoredPosition(exe) == position, "a position written reads back unchanged",
                    QStringLiteral("%1, %2").arg(position.x()).arg(position.y()));

    return 0;
}
