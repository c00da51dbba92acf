#include "JsonReport.h"

#include "Report.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zarvok::tool {

namespace {

std::string escape(const char* format, unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// One record: "key":value pairs in the order added.
class Record {
public:
    Record(const std::string& path, const char* outcome) { text("path", path).text("outcome", outcome); }
    Record& text(const char* key, std::string_view value) { return raw(key, jsonString(value)); }
    Record& number(const char* key, std::uint64_t value) { return raw(key, std::to_string(value)); }
    Record& seconds(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", value);
        return raw("seconds", text);
    }
    Record& flag(const char* key, bool value) { return raw(key, value ? "true" : "false"); }
    std::string line() const { return m_text + "}\n"; }

private:
    Record& raw(const char* key, const std::string& value)
    {
        m_text += (m_text.empty() ? "{\"" : ",\"") + std::string(key) + "\":" + value;
        return *this;
    }
    std::string m_text;
};

const char* outcomeName(const erase::Outcome& outcome)
{
    switch (outcome.status) {
    case erase::Status::Erased:
        return "erased";
    case erase::Status::NoFolder:
        return outcome.found == erase::Found::Nothing ? "no-folder" : "not-a-folder";
    case erase::Status::Refused:
        return "refused";
    case erase::Status::Failed:
        break;
    }
    return outcome.error == std::errc::operation_canceled ? "stopped" : "not-erased";
}

} // namespace

std::string jsonString(std::string_view bytes)
{
    std::string out = "\"";
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = decodeUtf8At(bytes, at).second;
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (length == 0)
            out += escape("\\udc%02x", byte);
        else if (byte == '"' || byte == '\\')
            out += std::string("\\") + static_cast<char>(byte);
        else if (byte < 0x20 || byte == 0x7f)
            out += escape("\\u%04x", byte);
        else
            out.append(bytes.substr(at, length));
        at += length == 0 ? 1 : length;
    }
    return out + "\"";
}

std::string outcomeRecord(const std::string& path, const erase::Outcome& outcome, std::uint64_t removed, double seconds)
{
    Record record(path, outcomeName(outcome));
    record.number("removed", removed).seconds(seconds);
    if (outcome.status == erase::Status::NoFolder && outcome.found != erase::Found::Nothing)
        record.text("found", outcome.found == erase::Found::SymbolicLink ? "symbolic-link" : "file");
    if (outcome.ok() || outcome.status == erase::Status::NoFolder)
        return record.line();
    if (outcome.error.category() == std::system_category())
        record.number("errno", static_cast<std::uint64_t>(outcome.error.value()));
    record.text("reason", outcome.reason).text("at", outcome.failedPath);
    record.flag("untouched", outcome.untouched || outcome.status == erase::Status::Refused);
    return record.line();
}

std::string notBegunRecord(const std::string& path)
{
    return Record(path, "not-begun").number("removed", 0).number("errno", ECANCELED).flag("untouched", true).line();
}

std::string notGrantedRecord(const std::string& path, const std::string& reason)
{
    return Record(path, "not-granted").number("removed", 0).text("reason", reason).flag("untouched", true).line();
}

std::string untoldRecord(const std::string& path, const std::string& reason)
{
    return Record(path, "unknown").text("reason", reason).flag("untouched", false).line();
}

std::string recordHead(const std::string& path)
{
    return "{\"path\":" + jsonString(path) + ",";
}

void writeRecord(const std::string& record)
{
    const char* data = record.data();
    std::size_t size = record.size();
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // a reader that went away: the lines on standard error still tell
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace zarvok::tool
