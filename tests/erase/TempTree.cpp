#include "TempTree.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace zarvok::erase::test {

TempDir::TempDir() : TempDir("/tmp") {}

TempDir::TempDir(const fs::path& under)
{
    std::string pattern = (under / "zarvok-erase-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored; // the tests run as root, so permission bits do not stop this
    fs::remove_all(path_, ignored);
}

fs::path quickScratch()
{
    return ::access("/dev/shm", W_OK | X_OK) == 0 && fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
}

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

void touch(const fs::path& path)
{
    ::close(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
}

std::size_t countEntries(const fs::path& root)
{
    std::size_t count = 0;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
        ++count;
    return count;
}

bool present(const fs::path& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// Appends rather than using "x" + std::to_string(n): GCC 12 at -O2 warns about that operator+
// with a false -Wrestrict.
std::string numbered(const char* prefix, int number)
{
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

std::size_t makeWideTree(const fs::path& root, int folders, int filesEach)
{
    fs::create_directories(root);
    for (int d = 0; d < folders; ++d) {
        const fs::path folder = root / numbered("d", d);
        fs::create_directory(folder);
        for (int f = 0; f < filesEach; ++f)
            writeFile(folder / numbered("f", f));
    }
    return static_cast<std::size_t>(folders) * (filesEach + 1);
}

void makeChain(const fs::path& root, int depth, const std::string& name, int filesEach)
{
    fs::create_directories(root);
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < depth && fd >= 0; ++level) {
        for (int f = 0; f < filesEach; ++f) {
            const std::string file = numbered("f", f);
            ::close(::openat(fd, file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        }
        if (::mkdirat(fd, name.c_str(), 0755) != 0)
            throw std::runtime_error("mkdirat failed");
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    if (fd < 0)
        throw std::runtime_error("could not build the chain");
    ::close(fd);
}

void chownTree(const fs::path& root, uid_t uid, gid_t gid)
{
    ::lchown(root.c_str(), uid, gid);
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
        ::lchown(it->path().c_str(), uid, gid);
}

namespace {

void writeAll(int fd, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written <= 0)
            return;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void sendText(int fd, const std::string& text)
{
    const std::uint64_t size = text.size();
    writeAll(fd, &size, sizeof size);
    writeAll(fd, text.data(), text.size());
}

std::string readAll(int fd)
{
    std::string data;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        if (got > 0)
            data.append(buffer, static_cast<std::size_t>(got));
    return data;
}

// Reads what sendText wrote, advancing `at`.
std::string takeText(const std::string& data, std::size_t& at)
{
    std::uint64_t size = 0;
    if (at + sizeof size > data.size())
        return {};
    std::memcpy(&size, data.data() + at, sizeof size);
    at += sizeof size;
    std::string text = data.substr(at, size);
    at += size;
    return text;
}

ChildResult setupFailure(std::string why)
{
    ChildResult result;
    result.setupError = std::move(why);
    return result;
}

} // namespace

ChildResult runInChild(const std::function<std::string()>& setup, const std::function<Outcome()>& erase)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return setupFailure("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Start from a clean descriptor table, as a program started from a shell would.
        const int out = 3;
        ::dup2(fds[1], out);
        ::close_range(out + 1, ~0U, 0);
        const std::string setupError = setup();
        sendText(out, setupError);
        if (setupError.empty()) {
            const Outcome outcome = erase();
            sendText(out, std::to_string(static_cast<int>(outcome.status)));
            sendText(out, std::to_string(outcome.error.value()));
            sendText(out, outcome.failedPath);
            sendText(out, outcome.reason);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return setupFailure("fork failed");
    }
    const std::string data = readAll(fds[0]);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);

    ChildResult result;
    std::size_t at = 0;
    result.setupError = takeText(data, at);
    if (!result.setupError.empty())
        return result;
    const std::string statusText = takeText(data, at);
    if (statusText.empty()) {
        result.setupError = "the child ended without an outcome (wait status " + std::to_string(status) + ")";
        return result;
    }
    result.ran = true;
    result.status = static_cast<Status>(std::stoi(statusText));
    result.error = std::stoi(takeText(data, at));
    result.failedPath = takeText(data, at);
    result.reason = takeText(data, at);
    return result;
}

std::string becomeNobody()
{
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0
        || ::setresuid(kNobody, kNobody, kNobody) != 0)
        return std::string("could not become the unprivileged user: ") + std::strerror(errno);
    return {};
}

std::string limitOpenFiles(unsigned limit)
{
    const rlimit rl{limit, limit};
    if (::setrlimit(RLIMIT_NOFILE, &rl) != 0)
        return std::string("setrlimit failed: ") + std::strerror(errno);
    return {};
}

std::string enterPrivateMounts()
{
    if (::geteuid() != 0)
        return "needs root";
    if (::unshare(CLONE_NEWNS) != 0)
        return std::string("unshare(CLONE_NEWNS) failed: ") + std::strerror(errno);
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("making mounts private failed: ") + std::strerror(errno);
    return {};
}

std::string mountOver(const fs::path& where, const fs::path& bindSource)
{
    const int result = bindSource.empty() ? ::mount("zarvok-test", where.c_str(), "tmpfs", 0, "size=1m")
                                          : ::mount(bindSource.c_str(), where.c_str(), nullptr, MS_BIND, nullptr);
    return result == 0 ? std::string() : std::string("mount failed: ") + std::strerror(errno);
}

Sentinel::Sentinel(const fs::path& at) : root(at)
{
    entries = makeWideTree(root, 5, 5);
    writeFile(root / "marker", "untouched");
}

bool Sentinel::intact() const
{
    return countEntries(root) == entries + 1 && present(root / "marker");
}

} // namespace zarvok::erase::test
