#include "Registry.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace zarvok::settings {
namespace {

struct KeyLocation {
    QString organisation;
    QString application;
    QString group; // "/"-separated, may be empty
};

// "Software\Org\App\Main" -> organisation "Org", application "App", group "Main".
std::optional<KeyLocation> locate(const QString& keyPath)
{
    const QStringList levels = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (levels.size() < 3 || levels.front().compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return KeyLocation{levels.at(1), levels.at(2), levels.mid(3).join(QLatin1Char('/'))};
}

std::unique_ptr<QSettings> openStore(const KeyLocation& where)
{
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, where.organisation,
                                             where.application);
    store->setFallbacksEnabled(false);
    if (!where.group.isEmpty())
        store->beginGroup(where.group);
    return store;
}

#ifdef Q_OS_WIN
// The registry keeps the value type itself: QSettings writes an int as REG_DWORD.
QVariant encodeDword(std::int32_t value)
{
    return QVariant(static_cast<int>(value));
}

std::optional<RegValue> decode(const QVariant& stored)
{
    switch (stored.typeId()) {
    case QMetaType::QString:
        return RegValue{CutAtNull(stored.toString())};
    case QMetaType::Int:
    case QMetaType::UInt:
        return RegValue{static_cast<std::int32_t>(stored.toUInt())};
    default:
        return std::nullopt;
    }
}
#else
// A settings file holds only text, so a 32-bit number is tagged the way registry exports write
// it, "dword:" and eight hex digits (two's complement); untagged text stays text.
const QString kDwordTag = QStringLiteral("dword:");

QVariant encodeDword(std::int32_t value)
{
    return kDwordTag + QStringLiteral("%1").arg(static_cast<std::uint32_t>(value), 8, 16, QLatin1Char('0'));
}

std::optional<std::int32_t> readDwordTag(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^dword:([0-9a-fA-F]{8})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return static_cast<std::int32_t>(match.captured(1).toUInt(nullptr, 16));
}

std::optional<RegValue> decode(const QVariant& stored)
{
    // Lists, byte arrays and the other typed forms of the file are not values we understand.
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = stored.toString();
    if (const auto number = readDwordTag(text))
        return RegValue{*number};
    return RegValue{CutAtNull(text)};
}
#endif

// Qt parses a settings file once and serves later opens from memory while the file keeps its
// size and time, and only the first open reports that the file could not be parsed. Such a file
// is remembered here, so that every read of it gives the defaults, not the first read only.
bool unparseable(const QSettings& store)
{
    struct Seen {
        qint64 size;
        QDateTime modified;
    };
    static QHash<QString, Seen> damaged;
    const QFileInfo file(store.fileName());
    const Seen now{file.size(), file.lastModified()};
    if (store.status() == QSettings::FormatError) {
        damaged.insert(store.fileName(), now);
        return true;
    }
    const auto known = damaged.constFind(store.fileName());
    if (known == damaged.cend())
        return false;
    if (known->size == now.size && known->modified == now.modified)
        return true;
    damaged.erase(known);
    return false;
}

int resultOf(QSettings::Status status)
{
    switch (status) {
    case QSettings::NoError:
        return RegOk;
    case QSettings::AccessError:
        return RegAccessError;
    case QSettings::FormatError:
        return RegFormatError;
    }
    return RegAccessError;
}

} // namespace

QString CutAtNull(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

RegValue RegReadValue(Hive hive, const QString& keyPath, const QString& valueName, const RegValue& defaultValue)
{
    return RegReadValues(hive, keyPath, {valueName}, defaultValue).front();
}

QList<RegValue> RegReadValues(Hive, const QString& keyPath, const QStringList& valueNames,
                              const RegValue& defaultValue)
{
    QList<RegValue> values(valueNames.size(), defaultValue);
    const auto where = locate(keyPath);
    if (!where)
        return values;
    const auto store = openStore(*where);
    if (unparseable(*store) || store->status() != QSettings::NoError)
        return values;
    for (qsizetype i = 0; i < valueNames.size(); ++i)
        if (store->contains(valueNames[i]))
            values[i] = decode(store->value(valueNames[i])).value_or(defaultValue);
    return values;
}

int RegWriteDword(Hive hive, const QString& keyPath, const QString& valueName, std::int32_t value)
{
    return RegWriteDwords(hive, keyPath, {{valueName, value}});
}

int RegWriteDwords(Hive, const QString& keyPath, const QList<std::pair<QString, std::int32_t>>& values)
{
    const auto where = locate(keyPath);
    if (!where)
        return RegBadKeyPath;
    const auto store = openStore(*where);
    for (const auto& [name, value] : values)
        store->setValue(name, encodeDword(value));
    store->sync();
    return resultOf(store->status());
}

std::optional<double> RegValueToNumber(const RegValue& value)
{
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    bool ok = false;
    const double parsed = std::get<QString>(value).trimmed().toDouble(&ok);
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (!ok || !std::isfinite(parsed) || parsed < lowest || parsed > highest)
        return std::nullopt;
    return parsed;
}

} // namespace zarvok::settings
