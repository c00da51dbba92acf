// zarvok-erase --admin before polkit is asked: its arguments, what it hands to pkexec, and
// pkexec's refusals in a user's words. The whole route through a real polkitd is
// tests/packaging/admin_erase_polkit.sh.

#include "CommandLine.h"
#include "Elevation.h"
#include "PkexecOutput.h"
#include "TempTree.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace zarvok::erase::test {
namespace {

using zarvok::tool::notGrantedReason;

TEST(ZarvokEraseAdmin, ParsesAdminAndHandsTheSameRunToPkexec)
{
    const auto parsed = zarvok::tool::parseCommandLine({"--admin", "--threads", "2", "--progress", "--report=json", "/a", "--", "-b"});
    ASSERT_TRUE(parsed.commandLine) << parsed.error;
    EXPECT_TRUE(parsed.commandLine->admin);
    EXPECT_EQ(zarvok::tool::argumentsOf(*parsed.commandLine),
              (std::vector<std::string>{"--admin", "--threads=2", "--progress", "--report=json", "--", "/a", "-b"}));
    EXPECT_FALSE(zarvok::tool::parseCommandLine({"/a"}).commandLine->admin);
    EXPECT_NE(zarvok::tool::usageText().find("--admin"), std::string::npos);
}

TEST(ZarvokEraseAdmin, TellsWhyPkexecDidNotRunIt)
{
    struct Case {
        int status;
        std::string output;
        std::string reason; // a part of it; empty: pkexec ran the command
    };
    const std::vector<Case> cases = {
        {0, "", ""},
        {1, "zarvok-erase: /x: could not be fully erased: Permission denied (at /x/y)\n", ""},
        {2, "", ""},
        {126, "Error executing command as another user: Request dismissed\n", "was dismissed"},
        {127, "Error executing command as another user: Not authorized\n\nThis incident has been reported.\n", "polkit said no"},
        {127, "polkit-agent-helper-1: pam_authenticate failed: Authentication failure\n"
              "Error executing command as another user: Not authorized\n\nThis incident has been reported.\n",
         "the password was not accepted"},
        {127, "Error executing command as another user: No authentication agent found.\n", "no authentication agent answered"},
        {127, "Error creating textual authentication agent: Error opening current controlling terminal for the process (`/dev/tty'): "
              "No such device or address\n",
         "no authentication agent answered"},
        {127, "Error getting authority: Error initializing authority: Could not connect: No such file or directory\n",
         "polkit does not run on this system"},
        {127, "Error checking for authorization org.example.zarvok.erase-as-admin: GDBus.Error:org.freedesktop.DBus.Error.ServiceUnknown: "
              "The name org.freedesktop.PolicyKit1 was not provided by any .service files\n",
         "polkit does not run on this system"},
        {127, "The value for the SHELL variable was not found the /etc/shells file\n", "refused this session's environment"},
        {127, "", "pkexec ended without running zarvok-erase"},
    };
    for (const Case& c : cases) {
        const std::string reason = notGrantedReason(c.status, c.output);
        if (c.reason.empty())
            EXPECT_EQ(reason, "") << c.status << " " << c.output;
        else
            EXPECT_NE(reason.find(c.reason), std::string::npos) << c.output << " -> " << reason;
    }
}

// How pkexec ended, and whether the administrator's side greeted us, decide whether anything
// ran as root: an ending that is neither the command's own nor a known refusal is "nothing
// was erased", never the command's status (Ctrl+D at the terminal's password prompt).
TEST(ZarvokEraseAdmin, TellsWhenNothingRanAsRoot)
{
    struct Case {
        int waitStatus;
        bool rootStarted;
        bool stopped;
        std::string output;
        std::string reason; // a part of it; empty: the command's own status stands
    };
    const auto exited = [](int code) { return code << 8; };
    const std::string eof = "\n** (process:19084): ERROR **: 21:55:56.612: Got unexpected EOF while reading from controlling terminal.\n"
                            "polkit-agent-helper-1: pam_authenticate failed: Authentication failure\n";
    const std::vector<Case> cases = {
        {exited(0), true, false, "", ""},
        {exited(1), true, false, "zarvok-erase: /x: could not be fully erased: Permission denied (at /x/y)\n", ""},
        {exited(4), true, true, "", ""},
        {SIGKILL, true, false, "", ""},
        {exited(0), false, false, "", ""},
        {SIGTRAP, false, false, eof, "pkexec ended before they were granted (Got unexpected EOF while reading from controlling terminal.)"},
        {exited(1), false, false, eof, "(Got unexpected EOF while reading from controlling terminal.)"},
        {exited(1), false, false, "Error: something new\n", "pkexec ended before they were granted (Error: something new)"},
        {SIGTERM, false, false, "", "pkexec ended before they were granted (it was ended by signal 15, Terminated)"},
        {exited(5), false, false, "", "pkexec ended before they were granted (it ended with status 5)"},
        {SIGTERM, false, true, "", "zarvok-erase was stopped before they were granted"},
        {exited(126), false, false, "Error executing command as another user: Request dismissed\n", "was dismissed"},
        {exited(127), false, false, "Error executing command as another user: Not authorized\n", "polkit said no"},
    };
    for (const Case& c : cases) {
        const std::string reason = zarvok::tool::notRunReason(c.waitStatus, c.rootStarted, c.stopped, c.output);
        if (c.reason.empty())
            EXPECT_EQ(reason, "") << c.waitStatus << " " << c.output;
        else
            EXPECT_NE(reason.find(c.reason), std::string::npos) << c.waitStatus << " " << c.output << " -> " << reason;
    }
}

// GLib's messages of pkexec never reach the terminal, however its output is cut into reads;
// the rest does, the erase's live count as it comes.
TEST(ZarvokEraseAdmin, LeavesOutPkexecsGlibMessages)
{
    const std::string critical = "\n(process:14961): GLib-CRITICAL **: 21:47:59.412: g_variant_new_string: assertion "
                                 "'g_utf8_validate (string, -1, NULL)' failed\n";
    const std::string error = "\n** (process:19084): ERROR **: 21:55:56.612: Got unexpected EOF while reading from controlling terminal.\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {critical + "\r12 entries removed\r40 entries removed in 0.1 s\nzarvok-erase: /x: refused: r; nothing was erased\n",
         "\r12 entries removed\r40 entries removed in 0.1 s\nzarvok-erase: /x: refused: r; nothing was erased\n"},
        {error + "polkit-agent-helper-1: pam_authenticate failed\n", "polkit-agent-helper-1: pam_authenticate failed\n"},
        {"(process:1): GLib-GIO-WARNING **: w\n(not GLib's)\n\n\nend", "(not GLib's)\n\n\nend"},
    };
    for (const auto& [output, shown] : cases) {
        for (const std::size_t piece : {output.size(), std::size_t{1}, std::size_t{7}}) {
            zarvok::tool::PkexecOutputFilter filter;
            std::string got;
            for (std::size_t at = 0; at < output.size(); at += piece)
                got += filter.feed(std::string_view(output).substr(at, piece));
            got += filter.finish();
            EXPECT_EQ(got, shown) << "in pieces of " << piece;
        }
    }
    // A live count is not held back waiting for the end of its line.
    zarvok::tool::PkexecOutputFilter filter;
    EXPECT_EQ(filter.feed("\r1,234 entries rem"), "\r1,234 entries rem");
}

// pkexec refuses kept variables holding "/", "%" or ".." (and a SHELL not in /etc/shells), so
// only plain language and terminal settings go to it, under a fixed PATH.
TEST(ZarvokEraseAdmin, HandsPkexecAPlainEnvironment)
{
    const std::vector<std::string> env = zarvok::tool::pkexecEnvironment(
        {"PATH=/home/u/bin:/usr/bin", "SHELL=/home/u/myshell", "LANG=en_GB.UTF-8", "TERM=xterm-256color", "LC_ALL=../x",
         "LD_PRELOAD=/tmp/evil.so", "DISPLAY=:0", "XAUTHORITY=/home/u/.Xauthority", "LANGUAGE=%s"});
    EXPECT_EQ(env, (std::vector<std::string>{"PATH=/usr/sbin:/usr/bin:/sbin:/bin", "LANG=en_GB.UTF-8", "TERM=xterm-256color"}));
}

std::pair<int, std::string> runTool(const std::vector<std::string>& args)
{
    std::string command = ZARVOK_ERASE_PROGRAM;
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    std::array<char, 512> buffer{};
    while (std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// A relative path is refused before polkit is asked, whoever runs it.
TEST(ZarvokEraseAdmin, RefusesARelativePathBeforeAskingAnyone)
{
    TempDir tmp;
    fs::create_directories(tmp / "rel");
    ::chdir(tmp.path().c_str());
    const auto [status, out] = runTool({"--admin", "rel"});
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out, "zarvok-erase: rel: refused: with --admin a path must be absolute (give the folder's full path); nothing was erased\n");
    EXPECT_TRUE(present(tmp / "rel"));
    ::chdir("/");
}

} // namespace
} // namespace zarvok::erase::test
