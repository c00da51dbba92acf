#include "PkexecOutput.h"

#include <algorithm>
#include <regex>

namespace zarvok::tool {

namespace {

// "** (process:1234): ERROR **: 21:55:56.612: MESSAGE" or "(process:1234): GLib-CRITICAL **: ...":
// GLib names the program "process" where it was not told its name, as pkexec does not. Groups:
// the domain (none for pkexec's own), the message.
const std::regex& glibLine()
{
    static const std::regex line(
        R"(^(?:\*\* )?\([^ ():]+:[0-9]+\): (?:([A-Za-z][A-Za-z-]*)-)?(?:ERROR|CRITICAL|WARNING|Message|INFO|DEBUG) \*\*: (?:[0-9:.]+: )?([^\n]*)\n$)");
    return line;
}

bool mayBeGlibLine(std::string_view line)
{
    return std::string_view("** (").starts_with(line.substr(0, 4)) || line.starts_with('(');
}

bool isGlibLine(const std::string& line)
{
    return std::regex_match(line, glibLine());
}

} // namespace

std::string pkexecSaid(const std::string& output)
{
    std::string said;
    std::size_t at = 0;
    while (at < output.size()) {
        const std::size_t end = std::min(output.find('\n', at), output.size() - 1);
        const std::string line = output.substr(at, end - at + 1);
        at = end + 1;
        std::smatch parts;
        if (std::regex_match(line, parts, glibLine())) {
            if (!parts[1].matched)
                return parts[2].str();
            continue;
        }
        if (const std::size_t text = line.find_first_not_of("\r\n \t"); text != std::string::npos)
            said = line.substr(text, line.find_last_not_of("\r\n \t") - text + 1);
    }
    return said;
}

std::string PkexecOutputFilter::feed(std::string_view chunk)
{
    std::string out;
    for (const char c : chunk)
        take(c, out);
    return out;
}

std::string PkexecOutputFilter::finish()
{
    std::string out = m_heldEmpty ? "\n" : "";
    out += m_line;
    m_line.clear();
    m_heldEmpty = false;
    m_passing = false;
    return out;
}

void PkexecOutputFilter::take(char c, std::string& out)
{
    const bool ends = c == '\n' || c == '\r';
    if (m_passing) {
        out += c;
        m_passing = !ends;
        return;
    }
    m_line += c;
    if (ends) {
        lineEnded(out);
        return;
    }
    if (mayBeGlibLine(m_line))
        return;
    if (m_heldEmpty)
        out += '\n';
    m_heldEmpty = false;
    out += m_line;
    m_line.clear();
    m_passing = true;
}

void PkexecOutputFilter::lineEnded(std::string& out)
{
    if (m_line == "\n") {
        if (m_heldEmpty)
            out += '\n';
        m_heldEmpty = true;
    } else if (isGlibLine(m_line)) {
        m_heldEmpty = false;
    } else {
        if (m_heldEmpty)
            out += '\n';
        m_heldEmpty = false;
        out += m_line;
    }
    m_line.clear();
}

} // namespace zarvok::tool
