#pragma once
// What pkexec writes on its way to the terminal: its own GLib warnings ("(process:1234):
// GLib-CRITICAL **: ...", each after an empty line, as for a name that is not UTF-8) are not the
// user's business; everything else goes on as it comes, the erase's \r-rewritten count included.

#include <string>
#include <string_view>

namespace zarvok::tool {

// What pkexec said last about why it ended: the message of its own first GLib error ("Got
// unexpected EOF while reading from controlling terminal."), else its last line of text.
std::string pkexecSaid(const std::string& output);

class PkexecOutputFilter {
public:
    // What of `chunk` (and of what was held before) goes on now.
    std::string feed(std::string_view chunk);
    // What was held, at the end of the output.
    std::string finish();

private:
    void take(char c, std::string& out);
    void lineEnded(std::string& out);

    std::string m_line;        // the start of a line that may still turn out to be GLib's
    bool m_passing = false;    // the current line is not GLib's: it goes on as it comes
    bool m_heldEmpty = false;  // an empty line, held: GLib's lines start with one
};

} // namespace zarvok::tool
