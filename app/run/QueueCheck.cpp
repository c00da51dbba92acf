#include "QueueCheck.h"

#include "EraseLoop.h"
#include "erase/Containment.h"
#include "erase/EraseEngine.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <variant>

namespace zarvok::app {
namespace {

using erase::Outcome;

Outcome refused(int error, const std::string& path, std::string reason)
{
    Outcome outcome;
    outcome.status = erase::Status::Refused;
    outcome.error = std::error_code(error, std::system_category());
    outcome.failedPath = path;
    outcome.reason = std::move(reason);
    return outcome;
}

Outcome noFolder(erase::Found found)
{
    Outcome outcome;
    outcome.status = erase::Status::NoFolder;
    outcome.found = found;
    return outcome;
}

// What the engine makes of a system error before it has touched anything; nothing when the
// erase itself has to find out.
std::optional<Outcome> outcomeOfError(int error, const std::string& path)
{
    if (error == ENAMETOOLONG)
        return refused(error, path, "the path is longer than the system accepts");
    if (error == ENOENT || error == ENOTDIR || error == ELOOP)
        return noFolder(erase::Found::Nothing);
    return std::nullopt;
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { if (m_fd >= 0) ::close(m_fd); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The engine's checks before its walk (erase/EraseEngine.cpp, eraseChecked), without the walk.
std::optional<Outcome> lookAt(const std::string& path)
{
    if (path.empty())
        return refused(EINVAL, path, "empty path");
    if (path.find('\0') != std::string::npos)
        return refused(EINVAL, path, "the path holds a NUL character, so the system would read a different, shorter path");
    if (path.front() != '/')
        return refused(EINVAL, path, "a relative path is refused; give the folder's full path");
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed == "/")
        return refused(EPERM, path, "the file-system root is never erased");
    const std::size_t slash = trimmed.find_last_of('/');
    const std::string parentPath = slash == 0 ? "/" : trimmed.substr(0, slash);
    const std::string name = trimmed.substr(slash + 1);
    if (name == "." || name == "..")
        return refused(EINVAL, path, "the path must end in the folder's name, not in . or ..");

    const Fd parent(::open(parentPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (parent.get() < 0)
        return outcomeOfError(errno, path);
    struct stat st{};
    if (::fstatat(parent.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return outcomeOfError(errno, path);
    if (!S_ISDIR(st.st_mode))
        return noFolder(S_ISLNK(st.st_mode) ? erase::Found::SymbolicLink : erase::Found::File);
    if (std::string reason = erase::neverErasedReason(st); !reason.empty())
        return refused(EPERM, path, reason);
    const auto decided = erase::Containment::forFolder(parent.get(), name.c_str());
    if (const auto* refusal = std::get_if<erase::Refusal>(&decided))
        return refusal->reason.empty() ? outcomeOfError(refusal->error, path) : refused(refusal->error, path, refusal->reason);
    return std::nullopt;
}

} // namespace

QString notQueuedWarning(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    const std::optional<Outcome> outcome = lookAt(std::string(bytes.constData(), std::size_t(bytes.size())));
    if (!outcome)
        return {};
    if (outcome->status == erase::Status::NoFolder)
        return outcome->found == erase::Found::Nothing ? notExistMessage(path) : notAFolderMessage(path, outcome->found);
    return refusedMessage(path, failureReason(*outcome, path));
}

} // namespace zarvok::app
