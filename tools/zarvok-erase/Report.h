#pragma once
// What zarvok-erase prints: one line per path that was not erased, counts people can read, and
// names that cannot forge a line of their own.

#include "EraseEngine.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace zarvok::tool {

// The code point of the UTF-8 sequence at `at` and its length; length 0 for a byte that starts
// no valid sequence (overlong forms and surrogates included).
std::pair<char32_t, std::size_t> decodeUtf8At(std::string_view text, std::size_t at);

// Control characters (C0 and C1), format characters (bidirectional marks, zero-width spaces and
// joiners...), line and paragraph separators, bytes that are not UTF-8
// and backslashes as escapes (\n, \x1b, \u009b, \u202e, \xff, \\), so a name holding a newline,
// a terminal sequence or a reordering mark shows as what it is.
std::string escaped(const std::string& text);

// 272450 -> "272,450".
std::string grouped(std::uint64_t count);

// "zarvok-erase: PATH: ", the start of every line about a path.
std::string lineHead(const std::string& path);

// "zarvok-erase: PATH: ..." for a path that was not erased, with its newline; empty when it was.
std::string outcomeLine(const std::string& path, const erase::Outcome& outcome);

// The same, and for an erase that was stopped (Failed with ECANCELED) how many entries it had
// removed by then: "zarvok-erase: PATH: stopped before it was fully erased: 1,234 entries were
// removed".
std::string outcomeLine(const std::string& path, const erase::Outcome& outcome, std::uint64_t removed);

// For a path whose erase had not begun when the tool was stopped.
std::string notBegunLine(const std::string& path);

// "272,450 entries removed in 3.4 s".
std::string summaryLine(std::uint64_t removed, double seconds);

} // namespace zarvok::tool
