#include "Elevation.h"

#include "JsonReport.h"
#include "PkexecOutput.h"
#include "Report.h"
#include "StopSignals.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace zarvok::tool {

namespace {

constexpr int kPkexecNotAuthorized = 127; // not authorized, no agent, or an error of pkexec
constexpr int kPkexecDismissed = 126;     // the authentication dialog was dismissed
constexpr std::size_t kKeptOutput = 8192; // of pkexec's output, for telling why

bool has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

std::string pkexecPath()
{
    const char* path = std::getenv("PATH");
    std::string dirs = path && *path ? path : "/usr/bin:/bin";
    dirs += ":/usr/bin:/bin";
    std::size_t at = 0;
    while (at <= dirs.size()) {
        const std::size_t colon = std::min(dirs.find(':', at), dirs.size());
        const std::string dir = dirs.substr(at, colon - at);
        if (!dir.empty() && dir[0] == '/') {
            const std::string candidate = dir + "/pkexec";
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        at = colon + 1;
    }
    return {};
}

void writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

// A mistyped password ends as "Not authorized"; the agent's helper said why first. Ctrl+D at the
// prompt fails the same way but ends the input, and is told as that.
bool passwordRejected(const std::string& output)
{
    return (has(output, "pam_authenticate failed") || has(output, "AUTHENTICATION FAILED")) && !has(output, "unexpected EOF");
}

} // namespace

std::string notGrantedReason(int status, const std::string& output)
{
    if (status == kPkexecDismissed || has(output, "Request dismissed"))
        return "the request for the administrator's password was dismissed";
    if (status != kPkexecNotAuthorized)
        return {};
    if (has(output, "No authentication agent found") || has(output, "Error creating textual authentication agent"))
        return "no authentication agent answered to ask for the administrator's password (no polkit agent runs in "
               "this desktop session, and there is no terminal to ask in)";
    if (has(output, "Error getting authority") || has(output, "Error initializing authority") || has(output, "ServiceUnknown")
        || has(output, "NameHasNoOwner"))
        return "polkit does not run on this system (no polkitd on the system bus), so no one could grant them";
    if (passwordRejected(output))
        return "the password was not accepted";
    if (has(output, "Not authorized") || has(output, "not authorized"))
        return "polkit said no: this user may not erase folders as administrator";
    if (has(output, "Cannot run program") || has(output, "Error executing command"))
        return "pkexec could not run zarvok-erase as administrator";
    if (has(output, "environment variable") || has(output, "SHELL"))
        return "pkexec refused this session's environment";
    return "pkexec ended without running zarvok-erase";
}

std::vector<std::string> pkexecEnvironment(const std::vector<std::string>& environment)
{
    std::vector<std::string> kept{"PATH=/usr/sbin:/usr/bin:/sbin:/bin"};
    for (const std::string& entry : environment) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = entry.substr(0, equals);
        const std::string value = entry.substr(equals + 1);
        const bool wanted = key == "LANG" || key == "LANGUAGE" || key == "LC_ALL" || key == "LC_MESSAGES" || key == "TERM";
        const bool plain = value.find('/') == std::string::npos && value.find('%') == std::string::npos
                           && value.find("..") == std::string::npos;
        if (wanted && plain)
            kept.push_back(entry);
    }
    return kept;
}

std::string thisProgram()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    return std::string(path, static_cast<std::size_t>(length));
}

namespace {

// The paths of an administrator's run (after "--"), and whether it reports in JSON too.
struct AskedRun {
    explicit AskedRun(const std::vector<std::string>& args)
    {
        const auto dashes = std::find(args.begin(), args.end(), "--");
        jsonReport = std::find(args.begin(), dashes, "--report=json") != dashes;
        if (dashes != args.end())
            paths.assign(dashes + 1, args.end());
    }
    std::vector<std::string> paths;
    bool jsonReport = false;
};

int notGrantedFor(const AskedRun& asked, const std::string& reason)
{
    std::string lines = "zarvok-erase: administrator rights were not granted: " + reason + "; nothing was erased\n";
    for (const std::string& path : asked.paths) {
        lines += lineHead(path) + "nothing was erased: administrator rights were not granted\n";
        if (asked.jsonReport)
            writeRecord(notGrantedRecord(path, reason));
    }
    writeAll(STDERR_FILENO, lines.data(), lines.size());
    return kNotGranted;
}

int notStarted(const AskedRun& asked)
{
    return notGrantedFor(asked, std::string("pkexec could not be started (") + std::strerror(errno) + ")");
}

// How pkexec's run went, as the user's side saw it.
struct PkexecRun {
    int waitStatus = 0;
    bool rootStarted = false; // the administrator's side said it runs
    bool stopped = false;     // we were told to stop meanwhile
    std::string output;       // the end of what pkexec and the erase wrote
    std::string report;       // the administrator's side's JSON records, all of them
};

void keep(std::string_view text, PkexecRun& run)
{
    run.output += text;
    if (run.output.size() > kKeptOutput)
        run.output.erase(0, run.output.size() - kKeptOutput);
}

// Reads what the administrator's side sent: its greeting. -1: nothing more for now; 0: done.
ssize_t readGreeting(int fd, std::string& got, PkexecRun& run)
{
    char buffer[256];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0)
        return errno == EINTR || errno == EAGAIN ? -1 : 0;
    got.append(buffer, static_cast<std::size_t>(n));
    run.rootStarted = run.rootStarted || has(got, kRootHello);
    return n;
}

// What poll found readable on `from`, in `chunk` (empty when nothing); at its end `from` is
// dropped from the poll.
void readSome(pollfd& from, std::string& chunk)
{
    chunk.clear();
    if (from.fd < 0 || from.revents == 0)
        return;
    char buffer[4096];
    const ssize_t got = ::read(from.fd, buffer, sizeof buffer);
    if (got > 0)
        chunk.assign(buffer, static_cast<std::size_t>(got));
    else if (got == 0 || errno != EINTR)
        from.fd = -1;
}

// Forwards what pkexec and the administrator's side write (messages to standard error, the
// report to standard output) until both are done, watching the administrator's side's socket
// and our own stop requests: a stop hangs up on the administrator's side, which stops too, and
// ends pkexec itself while it still asks for the password.
PkexecRun followPkexec(pid_t child, int output, int report, int talk)
{
    PkexecRun run;
    PkexecOutputFilter filter;
    std::string greeting;
    std::string chunk;
    pollfd fds[4] = {{output, POLLIN, 0}, {report, POLLIN, 0}, {talk, POLLIN, 0}, {stoppedFd(), POLLIN, 0}};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (::poll(fds, 4, -1) < 0 && errno != EINTR)
            break;
        if (fds[2].fd >= 0 && fds[2].revents != 0 && readGreeting(talk, greeting, run) == 0)
            fds[2].fd = -1;
        if (fds[3].fd >= 0 && fds[3].revents != 0) {
            run.stopped = true;
            fds[3].fd = -1;
            ::shutdown(talk, SHUT_WR);
            // Once pkexec runs the command as root, it is not ours to signal: the hang-up stops it.
            if (!run.rootStarted)
                ::kill(child, stopSignal() != 0 ? stopSignal() : SIGTERM);
        }
        readSome(fds[0], chunk);
        const std::string shown = filter.feed(chunk);
        writeAll(STDERR_FILENO, shown.data(), shown.size());
        keep(chunk, run);
        readSome(fds[1], chunk);
        writeAll(STDOUT_FILENO, chunk.data(), chunk.size());
        run.report += chunk;
    }
    const std::string rest = filter.finish();
    writeAll(STDERR_FILENO, rest.data(), rest.size());
    while (::waitpid(child, &run.waitStatus, 0) < 0 && errno == EINTR) {
    }
    // The command has ended: whatever it sent is there to read.
    while (readGreeting(talk, greeting, run) > 0) {
    }
    return run;
}

// The administrator's side was ended by a signal: what it removed stays removed, and each path
// it had not told of is told as unknown.
int endedUntold(const AskedRun& asked, const PkexecRun& run)
{
    const int signal = WTERMSIG(run.waitStatus);
    const std::string reason = "the erase as administrator was ended by signal " + std::to_string(signal) + ", "
                               + strsignal(signal) + ", before it told what became of this folder";
    std::string lines;
    for (const std::string& path : asked.paths) {
        if (run.report.find(recordHead(path)) != std::string::npos)
            continue;
        lines += lineHead(path) + reason + "\n";
        if (asked.jsonReport)
            writeRecord(untoldRecord(path, reason));
    }
    writeAll(STDERR_FILENO, lines.data(), lines.size());
    return 1;
}

} // namespace

std::string notRunReason(int waitStatus, bool rootStarted, bool stopped, const std::string& output)
{
    if (rootStarted)
        return {};
    if (stopped)
        return "zarvok-erase was stopped before they were granted";
    if (WIFEXITED(waitStatus)) {
        if (WEXITSTATUS(waitStatus) == 0)
            return {}; // nothing but the command ends pkexec with success
        if (std::string reason = notGrantedReason(WEXITSTATUS(waitStatus), output); !reason.empty())
            return reason;
    }
    std::string detail = pkexecSaid(output);
    if (detail.empty() && WIFSIGNALED(waitStatus))
        detail = "it was ended by signal " + std::to_string(WTERMSIG(waitStatus)) + ", " + strsignal(WTERMSIG(waitStatus));
    else if (detail.empty())
        detail = "it ended with status " + std::to_string(WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1);
    return "pkexec ended before they were granted (" + escaped(detail) + ")";
}

int runAsAdministrator(const std::string& program, const std::vector<std::string>& args)
{
    const AskedRun asked(args);
    const std::string pkexec = pkexecPath();
    if (pkexec.empty())
        return notGrantedFor(asked, "pkexec is not installed (Debian package pkexec), so no one could grant them");
    if (program.empty() || program[0] != '/')
        return notGrantedFor(asked, "the path of zarvok-erase itself could not be found");

    std::vector<std::string> argStrings{pkexec, program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> current;
    for (char** entry = environ; entry && *entry; ++entry)
        current.emplace_back(*entry);
    const std::vector<std::string> envStrings = pkexecEnvironment(current);
    std::vector<char*> argv;
    for (const std::string& arg : argStrings)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : envStrings)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    // pkexec hands the command only descriptors 0-2: the administrator's side hears from us on
    // its standard input, a socket (pkexec asks for a password on the terminal itself); its
    // report passes through us, so we know which paths it told of.
    int pipeFds[2];
    int reportFds[2];
    int talk[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0 || ::pipe2(reportFds, O_CLOEXEC) != 0
        || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, talk) != 0)
        return notStarted(asked);
    const std::string_view hello(kCallerHello);
    if (::send(talk[0], hello.data(), hello.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(hello.size()))
        return notStarted(asked);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return notStarted(asked);
    if (child == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::dup2(reportFds[1], STDOUT_FILENO);
        ::dup2(talk[1], STDIN_FILENO);
        ::execve(pkexec.c_str(), argv.data(), envp.data());
        const char message[] = "zarvok-erase: pkexec could not be started\n";
        writeAll(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(kPkexecNotAuthorized);
    }
    ::close(pipeFds[1]);
    ::close(reportFds[1]);
    ::close(talk[1]);
    const PkexecRun run = followPkexec(child, pipeFds[0], reportFds[0], talk[0]);
    ::close(pipeFds[0]);
    ::close(reportFds[0]);
    ::close(talk[0]);
    if (std::string reason = notRunReason(run.waitStatus, run.rootStarted, run.stopped, run.output); !reason.empty())
        return notGrantedFor(asked, reason);
    if (WIFEXITED(run.waitStatus))
        return WEXITSTATUS(run.waitStatus);
    return endedUntold(asked, run);
}

} // namespace zarvok::tool
