// zarvok-erase as scripts see it: its arguments, messages and exit status.

#include "Report.h"
#include "TempTree.h"

#include "StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>

namespace zarvok::erase::test {
namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `command` (a program looked up in PATH, then its arguments) with its output in files,
// from `cwd`, with HOME set to `home`.
// `enter`, when given, runs in the child after it changed to `cwd`.
ToolRun runCommand(const std::vector<std::string>& command, const fs::path& scratch, const fs::path& cwd, const fs::path& home,
                   const std::function<bool()>& enter = {})
{
    const fs::path outFile = scratch / "stdout";
    const fs::path errFile = scratch / "stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
        ::dup2(::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
        if (::chdir(cwd.c_str()) != 0 || (enter && !enter()))
            ::_exit(126);
        ::setenv("HOME", home.c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(outFile), slurp(errFile)};
}

std::vector<std::string> toolWith(std::vector<std::string> args)
{
    args.insert(args.begin(), ZARVOK_ERASE_PROGRAM);
    return args;
}

class ZarvokEraseTool : public ::testing::Test {
protected:
    ZarvokEraseTool() { fs::create_directories(scratch); fs::create_directories(home); }
    ToolRun run(const std::vector<std::string>& args) { return runCommand(toolWith(args), scratch, tmp.path(), home); }

    TempDir tmp;
    const fs::path scratch = tmp / "scratch";
    const fs::path home = tmp / "home";
};

TEST_F(ZarvokEraseTool, ErasesEveryFolderSilently)
{
    makeWideTree(tmp / "one", 3, 3);
    makeWideTree(tmp / "two", 2, 2);

    const ToolRun result = run({(tmp / "one").string(), "--threads", "2", "two"});

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(present(tmp / "one"));
    EXPECT_FALSE(present(tmp / "two")); // relative: taken from the current folder
}

TEST_F(ZarvokEraseTool, ReportsEachPathItCouldNotEraseAndExitsWithOne)
{
    makeWideTree(tmp / "fine", 2, 2);
    writeFile(tmp / "a-file");
    fs::create_directory_symlink(tmp / "fine", tmp / "a-link");
    const std::string missing = (tmp / "forged\nzarvok-erase: x").string();
    const std::string fine = (tmp / "fine").string();

    const ToolRun result = run({missing, "a-file", "a-link", "", "fine", home.string() + "/", "."});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "zarvok-erase: " + tmp.path().string() + "/forged\\nzarvok-erase: x: no folder at this path\n"
                          "zarvok-erase: a-file: is a file, not a folder\n"
                          "zarvok-erase: a-link: is a symbolic link, not a folder\n"
                          "zarvok-erase: empty path\n"
                          "zarvok-erase: " + home.string() + "/: refused: the home folder itself is never erased; nothing was erased\n"
                          "zarvok-erase: .: refused: the path must end in the folder's name, not in . or ..; nothing was erased\n");
    EXPECT_FALSE(present(tmp / "fine"));
    EXPECT_TRUE(present(tmp / "a-file"));
    EXPECT_TRUE(present(tmp / "a-link"));
    EXPECT_TRUE(present(home));
}

// The record a program reads instead of the lines: one per PATH, erased ones included.
TEST_F(ZarvokEraseTool, WritesOneJsonRecordAPathWithReport)
{
    makeWideTree(tmp / "fine", 2, 2);
    writeFile(tmp / "a-file");

    const ToolRun result = run({"--report=json", "fine", "a-file", "gone\x01", home.string()});

    EXPECT_EQ(result.exitCode, 1);
    const std::string out = std::regex_replace(result.out, std::regex("\"seconds\":[0-9.]+"), "\"seconds\":S");
    EXPECT_EQ(out, R"({"path":"fine","outcome":"erased","removed":7,"seconds":S})" "\n"
                   R"({"path":"a-file","outcome":"not-a-folder","removed":0,"seconds":S,"found":"file"})" "\n"
                   R"({"path":"gone\u0001","outcome":"no-folder","removed":0,"seconds":S})" "\n"
                   R"({"path":")" + home.string() + R"(","outcome":"refused","removed":0,"seconds":S,"errno":1,)"
                   R"("reason":"the home folder itself is never erased","at":")" + home.string() + R"(","untouched":true})" "\n");
    EXPECT_NE(result.err.find("a-file: is a file, not a folder\n"), std::string::npos) << "the lines stay for people";
}

// Paths the system cannot take at all: nothing was touched, and the line says why.
TEST_F(ZarvokEraseTool, RefusesPathsLongerThanTheSystemAccepts)
{
    makeWideTree(tmp / "kept", 1, 1);
    const std::string longName = (tmp / std::string(300, 'n')).string();
    std::string longPath = (tmp / "kept").string();
    while (longPath.size() < 5000)
        longPath += "/d0";
    std::string longRelative = "kept";
    while (longRelative.size() < 4999)
        longRelative += "/sub";
    longRelative.resize(4999);

    const ToolRun result = run({longName, longPath, longRelative});

    EXPECT_EQ(result.exitCode, 1);
    const std::string why = ": refused: the path is longer than the system accepts; nothing was erased\n";
    EXPECT_EQ(result.err, "zarvok-erase: " + longName + why + "zarvok-erase: " + longPath + why + "zarvok-erase: " + longRelative + why);
    EXPECT_EQ(countEntries(tmp / "kept"), 2u);
}

// A relative path is resolved from the working folder itself: one deeper than PATH_MAX works,
// and in one that was deleted the path is simply not there.
TEST_F(ZarvokEraseTool, ResolvesRelativePathsFromTheWorkingFolderItself)
{
    const std::string name(120, 'n');
    makeChain(tmp / "deep", 40, name, 1);
    const ToolRun deep = runCommand(toolWith({name}), scratch, tmp / "deep", home, [&] {
        for (int level = 0; level < 39; ++level)
            if (::chdir(name.c_str()) != 0)
                return false;
        return true;
    });
    EXPECT_EQ(deep.exitCode, 0) << deep.err;
    EXPECT_EQ(deep.err, "");
    EXPECT_EQ(run({"deep"}).exitCode, 0); // clears the rest, which is too deep for the clean-up

    fs::create_directories(tmp / "gone");
    const ToolRun deleted = runCommand(toolWith({"x"}), scratch, tmp / "gone", home, [&] { return ::rmdir((tmp / "gone").c_str()) == 0; });
    EXPECT_EQ(deleted.exitCode, 1);
    EXPECT_EQ(deleted.err, "zarvok-erase: x: no folder at this path\n");
}

TEST_F(ZarvokEraseTool, NamesTheEntryThatCouldNotBeRemoved)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the tool as the unprivileged user 65534";
    const fs::path tree = tmp / "tree";
    fs::create_directories(tree / "locked");
    writeFile(tree / "locked" / "owned-by-root");
    chownTree(tree, kNobody, kNobody);
    ::lchown((tree / "locked").c_str(), 0, 0);
    fs::permissions(tmp.path(), fs::perms::all);

    fs::permissions(scratch, fs::perms::all);
    const std::vector<std::string> asNobody = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    std::vector<std::string> command = toolWith({tree.string()});
    command.insert(command.begin(), asNobody.begin(), asNobody.end());
    const ToolRun viaSetpriv = runCommand(command, scratch, "/", home);
    ASSERT_NE(viaSetpriv.exitCode, 127) << "setpriv is not installed";
    EXPECT_EQ(viaSetpriv.exitCode, 1);
    EXPECT_EQ(viaSetpriv.err, "zarvok-erase: " + tree.string() + ": could not be fully erased: Permission denied (at "
                                  + (tree / "locked" / "owned-by-root").string() + ")\n");

    // A folder the user cannot even reach: nothing was touched, and the line says so.
    fs::permissions(tree, fs::perms::owner_all);
    ::lchown(tree.c_str(), 0, 0);
    command.back() = (tree / "locked").string();
    const ToolRun unreachable = runCommand(command, scratch, "/", home);
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.err, "zarvok-erase: " + (tree / "locked").string() + ": Permission denied; nothing was erased\n");
}

TEST_F(ZarvokEraseTool, ShowsALiveCountWithProgress)
{
    makeWideTree(tmp / "tree", 4, 10);

    const ToolRun result = run({"--progress", (tmp / "tree").string()});

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    // The summary has the final count: 4 folders, 40 files, the root.
    EXPECT_TRUE(std::regex_search(result.err, std::regex("\r45 entries removed in [0-9]+\\.[0-9] s\n$"))) << result.err;

    makeChain(tmp / "big", 1, "d", 1200);
    const ToolRun big = run({"--progress", "big"});
    EXPECT_TRUE(std::regex_search(big.err, std::regex("\r1,202 entries removed in [0-9.]+ s\n$"))) << big.err;

    const ToolRun refused = run({"--progress", home.string()});
    EXPECT_EQ(refused.err, "zarvok-erase: " + home.string() + ": refused: the home folder itself is never erased; nothing was erased\n");
}

TEST_F(ZarvokEraseTool, HelpAndUsageErrors)
{
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    for (const char* part : {"Usage: zarvok-erase [--admin] [--threads N] [--progress] [--report=json] PATH...", "--threads N", "--progress",
                             "no folder at this path", "could not be fully erased", "refused: REASON; nothing was erased",
                             "is a symbolic link, not a folder", "2 for a usage error", "escaped", "--admin",
                             "administrator rights were not granted", "3 when --admin"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;

    const ToolRun noPath = run({});
    EXPECT_EQ(noPath.exitCode, 2);
    EXPECT_EQ(noPath.out, "");
    EXPECT_EQ(noPath.err, "zarvok-erase: no folder given\nTry 'zarvok-erase --help'.\n");

    makeWideTree(tmp / "kept", 1, 1);
    const ToolRun badOption = run({"--fast", (tmp / "kept").string()});
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_EQ(badOption.err, "zarvok-erase: unknown option '--fast'\nTry 'zarvok-erase --help'.\n");
    EXPECT_TRUE(present(tmp / "kept"));
}

// How a running erase is told to stop: a signal, or (as root, the administrator's side of
// --admin) the user's side hanging up its standard input.
class ZarvokEraseStopped : public ZarvokEraseTool, public ::testing::WithParamInterface<int> {};

TEST_P(ZarvokEraseStopped, TellsWhatWasErasedAndExitsWithFour)
{
    const int signal = GetParam();
    if (signal == 0 && ::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the administrator's side";
    const fs::path tree = tmp / "tree";
    const fs::path next = tmp / "next";
    makeWideTree(tree, 30, 1500);
    makeWideTree(next, 1, 1);
    const std::size_t before = countEntries(tree);
    std::vector<std::string> args = {"--progress", "--threads", "1", tree.string(), next.string()};
    if (signal == 0)
        args.insert(args.begin(), "--admin");
    int talk[2] = {-1, -1};
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, talk), 0);
    ASSERT_GT(::send(talk[0], zarvok::tool::kCallerHello, std::strlen(zarvok::tool::kCallerHello), 0), 0);
    const fs::path errFile = scratch / "stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(talk[1], 0);
        ::dup2(::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
        ::setenv("HOME", home.c_str(), 1);
        const std::vector<std::string> command = toolWith(args);
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(talk[1]);
    // Stopped once the live count shows that the erase is under way.
    for (int wait = 0; wait < 3000 && slurp(errFile).find("entries removed") == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (signal == 0)
        ::close(talk[0]);
    else
        ::kill(pid, signal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (signal != 0)
        ::close(talk[0]);
    const std::string err = slurp(errFile);

    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << ": " << err;
    EXPECT_EQ(WEXITSTATUS(status), zarvok::tool::kStopped) << err;
    const std::size_t gone = before - countEntries(tree);
    EXPECT_GT(gone, 0u);
    const std::string said = "\n"
                             "zarvok-erase: " + tree.string() + ": stopped before it was fully erased: " + zarvok::tool::grouped(gone)
                             + " entries were removed\n"
                             "zarvok-erase: " + next.string() + ": stopped before it was begun; nothing was erased\n";
    ASSERT_GE(err.size(), said.size()) << err;
    EXPECT_EQ(err.substr(err.size() - said.size()), said) << "the progress line ends with its newline, then one line per path";
    EXPECT_TRUE(std::regex_search(err, std::regex("\r" + zarvok::tool::grouped(gone) + " entries removed in [0-9.]+ s\n"))) << err;
    EXPECT_EQ(countEntries(next), 2u);
}

INSTANTIATE_TEST_SUITE_P(By, ZarvokEraseStopped, ::testing::Values(SIGINT, SIGTERM, SIGHUP, 0), [](const auto& by) {
    return by.param == 0 ? std::string("UserSideHangingUp") : std::string(sigabbrev_np(by.param));
});

class ZarvokEraseUnderStrace : public ZarvokEraseTool, public ::testing::WithParamInterface<const char*> {};

// openat2 answered by strace, as on an old kernel (ENOSYS) or under a seccomp filter (EPERM),
// with a bind mount of a folder outside inside the tree.
TEST_P(ZarvokEraseUnderStrace, ErasesEverythingInsideAndNothingOutside)
{
    if (::geteuid() != 0 || ::access("/usr/bin/strace", X_OK) != 0 || ::access("/usr/bin/unshare", X_OK) != 0)
        GTEST_SKIP() << "needs root, strace and unshare to bind-mount inside the tree and fake the kernel's answer";
    const Sentinel sentinel(tmp / "sentinel");
    const fs::path tree = tmp / "tree";
    makeWideTree(tree, 5, 5);
    fs::create_directories(tree / "inside" / "mnt");
    writeFile(tree / "inside" / "beside-the-mount");
    const fs::path traceLog = scratch / "trace";
    const std::string inject = std::string("inject=openat2:error=") + GetParam();
    // LeakSanitizer cannot work under ptrace; the sanitizer build still checks everything else.
    const std::string script = "mount --bind \"$1\" \"$2/inside/mnt\" && ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" "
                               "exec strace -f -o \"$3\" -e trace=openat2 -e " + inject + " \"$4\" \"$2\"";

    const ToolRun result = runCommand({"unshare", "-m", "--propagation", "private", "sh", "-c", script, "sh",
                                       sentinel.root.string(), tree.string(), traceLog.string(), ZARVOK_ERASE_PROGRAM},
                                      scratch, tmp.path(), home);

    EXPECT_NE(slurp(traceLog).find("(INJECTED)"), std::string::npos) << "strace did not answer openat2";
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.err, "zarvok-erase: " + tree.string() + ": could not be fully erased: another file system is mounted here; "
                          "it was left in place (at " + (tree / "inside" / "mnt").string() + ")\n");
    EXPECT_TRUE(sentinel.intact());
    EXPECT_EQ(countEntries(tree), 2u); // inside/ and the mount point
}

INSTANTIATE_TEST_SUITE_P(Answers, ZarvokEraseUnderStrace, ::testing::Values("ENOSYS", "EPERM"),
                         [](const auto& answer) { return std::string(answer.param); });

} // namespace
} // namespace zarvok::erase::test
