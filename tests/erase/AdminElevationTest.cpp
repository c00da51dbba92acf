// zarvok-erase --admin before polkit is asked: its arguments, what it hands to pkexec, and
// pkexec's refusals in a user's words. The whole route through a real polkitd is
// tests/packaging/admin_erase_polkit.sh.

#include "CommandLine.h"
#include "Elevation.h"
#include "TempTree.h"

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
    const auto parsed = zarvok::tool::parseCommandLine({"--admin", "--threads", "2", "--progress", "/a", "--", "-b"});
    ASSERT_TRUE(parsed.commandLine) << parsed.error;
    EXPECT_TRUE(parsed.commandLine->admin);
    EXPECT_EQ(zarvok::tool::argumentsOf(*parsed.commandLine),
              (std::vector<std::string>{"--admin", "--threads=2", "--progress", "--", "/a", "-b"}));
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
