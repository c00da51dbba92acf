// zarvok-erase: the erase engine for scripts, benchmarks and terminals.

#include "CommandLine.h"
#include "EraseEngine.h"

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using zarvok::erase::Outcome;
using zarvok::erase::Progress;
using zarvok::erase::Status;

// The engine refuses relative paths because a window has no meaningful working folder; a
// terminal has one, so they are taken from there.
std::string absolutePath(const std::string& path)
{
    if (path.empty() || path.front() == '/')
        return path;
    std::vector<char> cwd(4096);
    while (!::getcwd(cwd.data(), cwd.size())) {
        if (errno != ERANGE)
            return path; // the engine then refuses it with its own reason
        cwd.resize(cwd.size() * 2);
    }
    return std::string(cwd.data()) + '/' + path;
}

// Rewrites one status line on standard error until stopped.
class ProgressLine {
public:
    explicit ProgressLine(const Progress& progress) : progress_(progress), thread_([this] { loop(); }) {}
    ~ProgressLine()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
        show();
        std::fputc('\n', stderr);
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

private:
    void loop()
    {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stopping_; }))
            show();
    }
    void show() const
    {
        std::fprintf(stderr, "\r%llu entries removed", static_cast<unsigned long long>(progress_.removed.load()));
        std::fflush(stderr);
    }

    const Progress& progress_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

bool eraseOne(const std::string& path, const zarvok::tool::CommandLine& line)
{
    Progress progress;
    Outcome outcome;
    {
        std::optional<ProgressLine> shown;
        if (line.progress)
            shown.emplace(progress);
        outcome = zarvok::erase::eraseTree(absolutePath(path), &progress, zarvok::erase::Options{line.threads});
    }
    if (outcome.status == Status::NoFolder)
        std::cerr << "zarvok-erase: " << path << ": no folder at this path\n";
    else if (outcome.status == Status::Failed || outcome.status == Status::Refused)
        std::cerr << "zarvok-erase: " << path << ": could not be fully erased: " << outcome.reason << " (at "
                  << outcome.failedPath << ")\n";
    return outcome.ok();
}

} // namespace

int main(int argc, char** argv)
{
    const zarvok::tool::ParseResult parsed = zarvok::tool::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.commandLine) {
        std::cerr << "zarvok-erase: " << parsed.error << "\nTry 'zarvok-erase --help'.\n";
        return 1;
    }
    const zarvok::tool::CommandLine& line = *parsed.commandLine;
    if (line.help) {
        std::cout << zarvok::tool::usageText();
        return 0;
    }
    bool allErased = true;
    for (const std::string& path : line.paths)
        allErased = eraseOne(path, line) && allErased;
    return allErased ? 0 : 1;
}
