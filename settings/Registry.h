#pragma once
// The per-user settings store: named text and 32-bit values under a hierarchical key.
//
// Key paths read like registry paths, "Software\<organisation>\<application>\<group>...".
// They map onto QSettings in native format: on Windows that is exactly the registry key; on
// other systems the file "<config>/<organisation>/<application>.conf" with the rest of the path
// as its group. Every call opens the store, works and closes it again.

#include <QString>

#include <cstdint>
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

// Writes a 32-bit number, creating every missing level of the key first.
int RegWriteDword(Hive hive, const QString& keyPath, const QString& valueName, std::int32_t value);

// The text up to, not including, its first NUL; the whole text when it holds none.
QString CutAtNull(const QString& text);

// The number a value stands for, as a stored position is read: text that does not read as a
// number gives 0.
float RegValueToFloat(const RegValue& value);

} // namespace zarvok::settings
