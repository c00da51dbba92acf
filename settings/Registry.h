#pragma once
// The per-user settings store: named text and 32-bit values under a hierarchical key.
//
// Key paths read like registry paths, "Software\<organisation>\<application>\<group>...".
// They map onto QSettings in native format: on Windows that is exactly the registry key; on
// other systems the file "<config>/<organisation>/<application>.conf" with the rest of the path
// as its group, and only the user's own file: no system-wide file stands in for a missing value.
// Every call opens the store, works and closes it again.

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <variant>

namespace zarvok::settings {

enum class Hive : std::uint32_t {
    CurrentUser = 0x80000001,
};

// A value read back: text, a 32-bit number, or (on any failure) the caller's default.
using RegValue = std::variant<QString, std::int32_t>;

// Result codes of RegWriteDword; 0 is success.
enum RegResult : int {
    RegOk = 0,
    RegAccessError = 1, // the store could not be written
    RegFormatError = 2, // the store exists but cannot be parsed
    RegBadKeyPath = 3,  // the key path names no organisation and application
};

// Reads a value; never fails: a missing key or value, or a type other than text and 32-bit
// number, gives back the default unchanged.
RegValue RegReadValue(Hive hive, const QString& keyPath, const QString& valueName, const RegValue& defaultValue);

// Reads several values of one key from one reading of the store, so they belong together. A
// store that cannot be parsed gives the default for every value.
QList<RegValue> RegReadValues(Hive hive, const QString& keyPath, const QStringList& valueNames,
                              const RegValue& defaultValue);

// Writes a 32-bit number, creating every missing level of the key first.
int RegWriteDword(Hive hive, const QString& keyPath, const QString& valueName, std::int32_t value);

// Writes several 32-bit numbers in one write of the store: all of them or none.
int RegWriteDwords(Hive hive, const QString& keyPath, const QList<std::pair<QString, std::int32_t>>& values);

// The text up to, not including, its first NUL; the whole text when it holds none.
QString CutAtNull(const QString& text);

// The number a value stands for: a 32-bit number, or text that reads as a finite number within
// the 32-bit range; nothing otherwise.
std::optional<double> RegValueToNumber(const RegValue& value);

} // namespace zarvok::settings
