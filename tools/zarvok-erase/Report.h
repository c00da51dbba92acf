#pragma once
// What zarvok-erase prints: one line per path that was not erased, counts people can read, and
// names that cannot forge a line of their own.

#include "EraseEngine.h"

#include <cstdint>
#include <string>

namespace zarvok::tool {

// Control characters and backslashes as escapes (\n, \t, \x1b, \\), so a name holding a newline
// or a terminal sequence shows as what it is.
std::string escaped(const std::string& text);

// 272450 -> "272,450".
std::string grouped(std::uint64_t count);

// "zarvok-erase: PATH: ..." for a path that was not erased, with its newline; empty when it was.
std::string outcomeLine(const std::string& path, const erase::Outcome& outcome);

// "272,450 entries removed in 3.4 s".
std::string summaryLine(std::uint64_t removed, double seconds);

} // namespace zarvok::tool
