#include "Report.h"

#include <cstdio>

namespace zarvok::tool {

std::string escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string grouped(std::uint64_t count)
{
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

std::string outcomeLine(const std::string& path, const erase::Outcome& outcome)
{
    using erase::Found;
    using erase::Status;
    if (path.empty() && !outcome.ok())
        return "zarvok-erase: empty path\n";
    const std::string head = "zarvok-erase: " + escaped(path) + ": ";
    switch (outcome.status) {
    case Status::Erased:
        return {};
    case Status::NoFolder:
        if (outcome.found == Found::File)
            return head + "is a file, not a folder\n";
        if (outcome.found == Found::SymbolicLink)
            return head + "is a symbolic link, not a folder\n";
        return head + "no folder at this path\n";
    case Status::Refused:
        return head + "refused: " + escaped(outcome.reason) + "; nothing was erased\n";
    case Status::Failed:
        break;
    }
    return head + "could not be fully erased: " + escaped(outcome.reason) + " (at " + escaped(outcome.failedPath) + ")\n";
}

std::string summaryLine(std::uint64_t removed, double seconds)
{
    char time[32];
    std::snprintf(time, sizeof time, "%.1f s", seconds);
    return grouped(removed) + (removed == 1 ? " entry" : " entries") + " removed in " + time;
}

} // namespace zarvok::tool
