#include "Report.h"

#include <cstdio>
#include <utility>

namespace zarvok::tool {

namespace {

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Unicode's format characters (Cf) and its line and paragraph separators (Zl, Zp): invisible,
// or they reorder, join or break what follows on screen (Unicode 15).
constexpr CodeRange kFormatAndSeparators[] = {
    {0x00ad, 0x00ad},   {0x0600, 0x0605},   {0x061c, 0x061c},   {0x06dd, 0x06dd},   {0x070f, 0x070f},
    {0x0890, 0x0891},   {0x08e2, 0x08e2},   {0x180e, 0x180e},   {0x200b, 0x200f},   {0x2028, 0x202e},
    {0x2060, 0x2064},   {0x2066, 0x206f},   {0xfeff, 0xfeff},   {0xfff9, 0xfffb},   {0x110bd, 0x110bd},
    {0x110cd, 0x110cd}, {0x13430, 0x1343f}, {0x1bca0, 0x1bca3}, {0x1d173, 0x1d17a}, {0xe0001, 0xe0001},
    {0xe0020, 0xe007f},
};

// Characters a terminal acts on rather than shows, or that the reader cannot see.
bool isHidden(char32_t code)
{
    if (code < 0x20 || (code >= 0x7f && code <= 0x9f))
        return true;
    for (const CodeRange& range : kFormatAndSeparators)
        if (code >= range.first && code <= range.last)
            return true;
    return false;
}

std::string hex(const char* format, unsigned value)
{
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::pair<char32_t, std::size_t> decodeUtf8At(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xf0 && lead <= 0xf4 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 && lead < 0xe0 ? 2 : 0;
    if (length == 0 || at + length > text.size())
        return {0, 0};
    char32_t code = lead & (0x7f >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80)
            return {0, 0};
        code = (code << 6) | (byte(at + i) & 0x3f);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
        return {0, 0};
    return {code, length};
}

std::string escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = decodeUtf8At(text, at);
        if (length == 0) {
            out += hex("\\x%02x", static_cast<unsigned char>(text[at]));
            at += 1;
            continue;
        }
        if (code == '\\')
            out += "\\\\";
        else if (code == '\n')
            out += "\\n";
        else if (code == '\t')
            out += "\\t";
        else if (code == '\r')
            out += "\\r";
        else if (code < 0x80 && isHidden(code))
            out += hex("\\x%02x", static_cast<unsigned>(code));
        else if (isHidden(code))
            out += hex(code > 0xffff ? "\\U%08x" : "\\u%04x", static_cast<unsigned>(code));
        else
            out.append(text, at, length);
        at += length;
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

std::string lineHead(const std::string& path)
{
    return "zarvok-erase: " + escaped(path) + ": ";
}

std::string outcomeLine(const std::string& path, const erase::Outcome& outcome)
{
    using erase::Found;
    using erase::Status;
    if (path.empty() && !outcome.ok())
        return "zarvok-erase: empty path\n";
    const std::string head = lineHead(path);
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
        if (outcome.untouched)
            return head + escaped(outcome.reason) + "; nothing was erased\n";
        break;
    }
    return head + "could not be fully erased: " + escaped(outcome.reason) + " (at " + escaped(outcome.failedPath) + ")\n";
}

std::string outcomeLine(const std::string& path, const erase::Outcome& outcome, std::uint64_t removed)
{
    if (outcome.status != erase::Status::Failed || outcome.error != std::errc::operation_canceled)
        return outcomeLine(path, outcome);
    return lineHead(path) + "stopped before it was fully erased: " + grouped(removed)
           + (removed == 1 ? " entry was" : " entries were") + " removed\n";
}

std::string notBegunLine(const std::string& path)
{
    return lineHead(path) + "stopped before it was begun; nothing was erased\n";
}

std::string summaryLine(std::uint64_t removed, double seconds)
{
    char time[32];
    std::snprintf(time, sizeof time, "%.1f s", seconds);
    return grouped(removed) + (removed == 1 ? " entry" : " entries") + " removed in " + time;
}

} // namespace zarvok::tool
