#include "Contenders.h"

#include "DirHandle.h"
#include "EraseEngine.h"
#include "SystemCalls.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace zarvok::bench {

namespace {

long highWaterKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return 0;
}

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double processCpuSeconds()
{
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    return seconds(self.ru_utime) + seconds(self.ru_stime);
}

// Times an in-process deletion's processor use; the benchmark runs nothing else meanwhile.
bool measured(Usage& usage, const std::function<bool()>& erase)
{
    const double before = processCpuSeconds();
    const bool ok = erase();
    usage.cpuSeconds = processCpuSeconds() - before;
    return ok;
}

// Answers openat2 as a kernel before 5.6 would, so the engine checks mount IDs instead.
class WithoutOpenat2 : public erase::SystemCalls {
public:
    erase::SysResult openat2(int, const char*, const open_how&) override { return {-1, ENOSYS}; }
};

} // namespace

int runProgram(const std::vector<std::string>& argv, Usage* usage, const std::string& outputFile)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outputFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (!usage)
        return ::waitpid(pid, &status, 0) < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // The rusage of a spawned child starts from its parent's size, so its own high-water mark
    // is read from /proc while it runs, every 10 ms: reads every millisecond took a share of the
    // processor from a contender using both cores. Its exit ends the wait at once.
    usage->peakKiB = 0;
    const erase::Fd exited(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    pollfd watch{exited.get(), POLLIN, 0};
    while (exited.valid() && ::poll(&watch, 1, 10) == 0)
        usage->peakKiB = std::max(usage->peakKiB, highWaterKiB(pid));
    rusage used{};
    if (::wait4(pid, &status, 0, &used) != pid)
        return -1;
    usage->cpuSeconds = seconds(used.ru_utime) + seconds(used.ru_stime);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<Contender> contenders(const std::vector<unsigned>& engineThreads, const std::string& toolProgram, bool brief,
                                  const std::string& otherTool)
{
    std::vector<Contender> list;
    list.push_back({"rm -rf", [](const std::string& path, Usage& usage) { return runProgram({"rm", "-rf", path}, &usage) == 0; }});
    if (!brief)
        list.push_back({"std::filesystem::remove_all", [](const std::string& path, Usage& usage) {
                        return measured(usage, [&] {
                            std::error_code ec;
                            std::filesystem::remove_all(path, ec);
                            return !ec;
                        });
                    }});
    if (!brief)
        list.push_back({"QDir::removeRecursively", [](const std::string& path, Usage& usage) {
                        return measured(usage, [&] { return QDir(QFile::decodeName(path.c_str())).removeRecursively(); });
                    }});
    for (unsigned threads : engineThreads) {
        // The default count depends on the file system (and grows on shares), so it is not printed.
        const std::string label = threads == 0 ? std::string("default") : std::to_string(threads);
        list.push_back({"engine, " + label + " workers", [threads](const std::string& path, Usage& usage) {
                            return measured(usage, [&] { return erase::eraseTree(path, nullptr, erase::Options{threads}).ok(); });
                        }});
    }
    if (!brief)
        list.push_back({"engine, mount-ID checks", [](const std::string& path, Usage& usage) {
                        WithoutOpenat2 calls;
                        erase::useSystemCalls(&calls);
                        const bool ok = measured(usage, [&] { return erase::eraseTree(path).ok(); });
                        erase::useSystemCalls(nullptr);
                        return ok;
                    }});
    auto process = [](const std::string& name, const std::string& program) {
        return Contender{name, [program](const std::string& path, Usage& usage) { return runProgram({program, path}, &usage) == 0; }};
    };
    if (!toolProgram.empty())
        list.push_back(process("zarvok-erase (process)", toolProgram));
    if (!otherTool.empty())
        list.push_back(process("zarvok-erase (compared)", otherTool));
    return list;
}

} // namespace zarvok::bench
