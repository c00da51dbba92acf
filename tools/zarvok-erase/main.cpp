// zarvok-erase: the erase engine for scripts, benchmarks and terminals.

#include "AdminRules.h"
#include "CommandLine.h"
#include "Elevation.h"
#include "EraseEngine.h"
#include "JsonReport.h"
#include "Report.h"
#include "StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

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

// The line on standard error when `path` was not erased, and its record with --report=json.
void tell(const std::string& path, const Outcome& outcome, const zarvok::tool::CommandLine& line, std::uint64_t removed = 0,
          double seconds = 0)
{
    std::cerr << zarvok::tool::outcomeLine(path, outcome, removed) << std::flush;
    if (line.jsonReport)
        zarvok::tool::writeRecord(zarvok::tool::outcomeRecord(path, outcome, removed, seconds));
}

// A relative path is resolved from the working folder's handle, never from its name, so a
// working folder that was deleted or lies deeper than PATH_MAX behaves as it does for rm.
bool eraseOne(const std::string& path, const zarvok::tool::CommandLine& line, const zarvok::erase::Options& options)
{
    if (zarvok::tool::stopRequested()) {
        std::cerr << zarvok::tool::notBegunLine(path) << std::flush;
        if (line.jsonReport)
            zarvok::tool::writeRecord(zarvok::tool::notBegunRecord(path));
        return false;
    }
    Progress progress;
    const zarvok::tool::StopWatch::Cancelling cancelling(progress.cancel);
    std::optional<ProgressLine> shown;
    if (line.progress)
        shown.emplace(progress);
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = zarvok::erase::eraseTreeAt(AT_FDCWD, path, &progress, options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (shown)
        shown->finish(outcome, seconds);
    tell(path, outcome, line, progress.removed.load(), seconds);
    return outcome.ok();
}

Outcome refusedAsAdministrator(std::string reason)
{
    Outcome outcome;
    outcome.status = Status::Refused;
    outcome.error = std::make_error_code(std::errc::operation_not_permitted);
    outcome.reason = std::move(reason);
    return outcome;
}

Outcome relativeRefused()
{
    return refusedAsAdministrator("with --admin a path must be absolute (give the folder's full path)");
}

// --admin: a user's run asks pkexec to run the same command as root; root's run erases under
// the administrator's rules as well as the engine's. A relative path is refused in both, before
// anything else: it would be read from another working folder.
int eraseAsAdministrator(zarvok::tool::CommandLine line)
{
    bool allTaken = true;
    std::vector<std::string> absolute;
    for (const std::string& path : line.paths) {
        if (!path.empty() && path[0] == '/') {
            absolute.push_back(path);
            continue;
        }
        tell(path, relativeRefused(), line);
        allTaken = false;
    }
    if (absolute.empty())
        return kNotAllErased;
    line.paths = absolute;
    const zarvok::tool::AdminRules rules = zarvok::tool::AdminRules::ofThisSystem(zarvok::tool::askingUser());
    if (::geteuid() != 0) {
        // What would be refused as root is refused now, without asking for a password.
        std::vector<std::string> asked;
        for (const std::string& path : line.paths) {
            if (std::string reason = zarvok::tool::adminRefusalSeenByUser(path, rules); !reason.empty()) {
                tell(path, refusedAsAdministrator(reason), line);
                allTaken = false;
            } else {
                asked.push_back(path);
            }
        }
        if (asked.empty())
            return kNotAllErased;
        line.paths = asked;
        const int status = zarvok::tool::runAsAdministrator(zarvok::tool::thisProgram(), zarvok::tool::argumentsOf(line));
        return status == 0 && !allTaken ? kNotAllErased : status;
    }
    zarvok::erase::Options options{line.threads};
    options.refusal = [&rules](int folderFd, const struct stat& folder) { return zarvok::tool::adminRefusal(folderFd, folder, rules); };
    options.refuseProcLinks = true;
    bool allErased = allTaken;
    for (const std::string& path : line.paths)
        allErased = eraseOne(path, line, options) && allErased;
    return allErased ? 0 : kNotAllErased;
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
    const zarvok::tool::StopWatch stopWatch;
    if (line.admin)
        return stopWatch.exitStatus(eraseAsAdministrator(line));
    bool allErased = true;
    for (const std::string& path : line.paths)
        allErased = eraseOne(path, line, zarvok::erase::Options{line.threads}) && allErased;
    return stopWatch.exitStatus(allErased ? 0 : kNotAllErased);
}
