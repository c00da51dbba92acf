#include "Elevation.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/wait.h>
#include <unistd.h>

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

int notGranted(const std::string& reason)
{
    const std::string line = "zarvok-erase: administrator rights were not granted: " + reason + "; nothing was erased\n";
    writeAll(STDERR_FILENO, line.data(), line.size());
    return kNotGranted;
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

int runAsAdministrator(const std::string& program, const std::vector<std::string>& args)
{
    const std::string pkexec = pkexecPath();
    if (pkexec.empty())
        return notGranted("pkexec is not installed (Debian package pkexec), so no one could grant them");
    if (program.empty() || program[0] != '/')
        return notGranted("the path of zarvok-erase itself could not be found");

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

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return notGranted(std::string("pkexec could not be started (") + std::strerror(errno) + ")");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return notGranted(std::string("pkexec could not be started (") + std::strerror(errno) + ")");
    if (child == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::execve(pkexec.c_str(), argv.data(), envp.data());
        const char message[] = "zarvok-erase: pkexec could not be started\n";
        writeAll(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(kPkexecNotAuthorized);
    }
    ::close(pipeFds[1]);
    // Everything pkexec and the erase as root write goes on to our standard error as it comes.
    std::string kept;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        writeAll(STDERR_FILENO, buffer, static_cast<std::size_t>(got));
        kept.append(buffer, static_cast<std::size_t>(got));
        if (kept.size() > kKeptOutput)
            kept.erase(0, kept.size() - kKeptOutput);
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status))
        return 1; // pkexec or the erase was stopped by a signal: what it removed stays removed
    const int code = WEXITSTATUS(status);
    if (std::string reason = notGrantedReason(code, kept); !reason.empty())
        return notGranted(reason);
    return code;
}

} // namespace zarvok::tool
