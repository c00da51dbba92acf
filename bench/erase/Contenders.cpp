#include "Contenders.h"

#include "EraseEngine.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

} // namespace

int runProgram(const std::vector<std::string>& argv, long* peakKiB, const std::string& outputFile)
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
    if (!peakKiB)
        return ::waitpid(pid, &status, 0) < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // The rusage of a spawned child starts from its parent's size, so its own high-water mark
    // is read from /proc while it runs.
    *peakKiB = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0)
            return -1;
        *peakKiB = std::max(*peakKiB, highWaterKiB(pid));
        ::usleep(1000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<Contender> contenders(const std::vector<unsigned>& engineThreads, const std::string& toolProgram)
{
    std::vector<Contender> list;
    list.push_back({"rm -rf", [](const std::string& path, long& peak) { return runProgram({"rm", "-rf", path}, &peak) == 0; }});
    list.push_back({"std::filesystem::remove_all", [](const std::string& path, long&) {
                        std::error_code ec;
                        std::filesystem::remove_all(path, ec);
                        return !ec;
                    }});
    list.push_back({"QDir::removeRecursively", [](const std::string& path, long&) {
                        return QDir(QFile::decodeName(path.c_str())).removeRecursively();
                    }});
    for (unsigned threads : engineThreads) {
        const std::string label = threads == 0 ? "default (" + std::to_string(erase::defaultThreads()) + ")" : std::to_string(threads);
        list.push_back({"engine, " + label + " workers", [threads](const std::string& path, long&) {
                            return erase::eraseTree(path, nullptr, erase::Options{threads}).ok();
                        }});
    }
    if (!toolProgram.empty())
        list.push_back({"zarvok-erase (process)", [toolProgram](const std::string& path, long& peak) {
                            return runProgram({toolProgram, path}, &peak) == 0;
                        }});
    return list;
}

} // namespace zarvok::bench
