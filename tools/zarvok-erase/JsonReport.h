#pragma once
// --report=json: one JSON object a line on standard output for each PATH, for programs that
// act on the outcome (the window among them) and must not read the English lines.

#include "EraseEngine.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvok::tool {

// `bytes` as a JSON string literal; bytes that are not UTF-8 as \udc80-\udcff (Python's
// surrogateescape), so no name is lost or merged with another.
std::string jsonString(std::string_view bytes);

// {"path":...,"outcome":...} and the rest, with its newline. Outcomes: "erased", "no-folder",
// "not-a-folder" (with "found"), "refused", "not-erased", "stopped".
std::string outcomeRecord(const std::string& path, const erase::Outcome& outcome, std::uint64_t removed, double seconds);

// A path whose erase had not begun when the tool was stopped: "not-begun".
std::string notBegunRecord(const std::string& path);

// A path of --admin whose erase never ran as root: "not-granted", with why.
std::string notGrantedRecord(const std::string& path, const std::string& reason);

// A path of --admin the administrator's side ended without telling of: "unknown".
std::string untoldRecord(const std::string& path, const std::string& reason);

// The start every record about `path` has, for telling which paths were reported.
std::string recordHead(const std::string& path);

// Writes `record` to standard output at once, so a reader sees each path as it ends.
void writeRecord(const std::string& record);

} // namespace zarvok::tool
