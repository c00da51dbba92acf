#include "Contenders.h"

#include "EraseEngine.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

extern char** environ;

namespace zarvok::bench {

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
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) < 0)
        return -1;
    if (peakKiB)
        *peakKiB = usage.ru_maxrss;
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
