// zarvok-erase: the erase engine for scripts, benchmarks and terminals.

#include "CommandLine.h"
#include "EraseEngine.h"
#include "Report.h"

#include <fcntl.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using zarvok::erase::Outcome;
using zarvok::erase::Progress;
using zarvok::erase::Status;

constexpr int kNotAllErased = 1;
constexpr int kUsageError = 2;

// Rewrites one status line on standard error while an erase runs; stays silent until something
// has been removed, so a path refused at once leaves no count behind.
class ProgressLine {
public:
    explicit ProgressLine(const Progress& progress) : m_progress(progress), m_thread([this] { loop(); }) {}
    ~ProgressLine() { stop(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Ends the live line with the summary, or with nothing when the path was not even begun.
    void finish(const Outcome& outcome, double seconds)
    {
        stop();
        const bool begun = outcome.status == Status::Erased || outcome.status == Status::Failed;
        if (begun)
            std::fprintf(stderr, "\r%s\n", zarvok::tool::summaryLine(m_progress.removed.load(), seconds).c_str());
        else if (m_shown)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    }

private:
    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping)
                return;
            m_stopping = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    void loop()
    {
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_stopping; }))
            show();
    }
    void show()
    {
        const std::uint64_t removed = m_progress.removed.load();
        if (removed == 0)
            return;
        m_shown = true;
        std::fprintf(stderr, "\r%s entries removed", zarvok::tool::grouped(removed).c_str());
        std::fflush(stderr);
    }

    const Progress& m_progress;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    bool m_shown = false;
    std::thread m_thread;
};

// A relative path is resolved from the working folder's handle, never from its name, so a
// working folder that was deleted or lies deeper than PATH_MAX behaves as it does for rm.
bool eraseOne(const std::string& path, const zarvok::tool::CommandLine& line)
{
    Progress progress;
    std::optional<ProgressLine> shown;
    if (line.progress)
        shown.emplace(progress);
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = zarvok::erase::eraseTreeAt(AT_FDCWD, path, &progress, zarvok::erase::Options{line.threads});
    if (shown)
        shown->finish(outcome, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    std::cerr << zarvok::tool::outcomeLine(path, outcome);
    return outcome.ok();
}

} // namespace

int main(int argc, char** argv)
{
    const zarvok::tool::ParseResult parsed = zarvok::tool::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.commandLine) {
        std::cerr << "zarvok-erase: " << zarvok::tool::escaped(parsed.error) << "\nTry 'zarvok-erase --help'.\n";
        return kUsageError;
    }
    const zarvok::tool::CommandLine& line = *parsed.commandLine;
    if (line.help) {
        std::cout << zarvok::tool::usageText();
        return 0;
    }
    bool allErased = true;
    for (const std::string& path : line.paths)
        allErased = eraseOne(path, line) && allErased;
    return allErased ? 0 : kNotAllErased;
}
