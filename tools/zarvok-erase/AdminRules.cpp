#include "AdminRules.h"

#include "DirHandle.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace zarvok::tool {

namespace {

// More levels than any real folder has; a deeper chain is refused rather than walked for ever.
constexpr std::size_t kMostLevels = 4096;

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Identity&) const = default;
};

Identity identityOf(const struct stat& st)
{
    return {st.st_dev, st.st_ino};
}

std::optional<Identity> identityAt(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return identityOf(st);
}

// The folder behind `fd` and every folder above it up to the root, through "..": empty with
// `error` set when a step fails.
std::vector<Identity> chainFrom(int fd, const struct stat& first, int& error)
{
    std::vector<Identity> chain{identityOf(first)};
    erase::Fd at(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (at.get() < 0) {
        error = errno;
        return {};
    }
    while (chain.size() < kMostLevels) {
        erase::Fd up(::openat(at.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat st{};
        if (up.get() < 0 || ::fstat(up.get(), &st) != 0) {
            error = errno;
            return {};
        }
        if (identityOf(st) == chain.back())
            return chain; // the root, whose ".." is itself
        chain.push_back(identityOf(st));
        at = std::move(up);
    }
    error = ELOOP;
    return {};
}

std::vector<Identity> chainOfPath(const std::string& path)
{
    erase::Fd fd(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat st{};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0)
        return {};
    int ignored = 0;
    return chainFrom(fd.get(), st, ignored);
}

bool contains(const std::vector<Identity>& chain, const Identity& identity)
{
    for (const Identity& each : chain)
        if (each == identity)
            return true;
    return false;
}

} // namespace

AdminRules AdminRules::ofThisSystem()
{
    AdminRules rules;
    rules.systemFolders = {"/usr", "/etc", "/boot", "/proc", "/sys", "/dev", "/run"};
    ::setpwent();
    errno = 0;
    while (const passwd* entry = ::getpwent()) {
        if (entry->pw_dir && entry->pw_dir[0] == '/')
            rules.homes.push_back({entry->pw_name ? entry->pw_name : "", entry->pw_dir});
    }
    ::endpwent();
    return rules;
}

std::string adminRefusal(int folderFd, const struct stat& folder, const AdminRules& rules, bool* undetermined)
{
    int error = 0;
    const std::vector<Identity> chain = chainFrom(folderFd, folder, error);
    if (undetermined)
        *undetermined = chain.empty();
    if (chain.empty())
        return std::string("where the folder lies could not be told (") + std::strerror(error) + "), so it is not erased as administrator";
    const std::optional<Identity> root = identityAt(rules.root);
    if (!root || chain.back() != *root)
        return "the folder does not lie below this system's root folder, so it is not erased as administrator";
    if (chain.size() == 1)
        return "the file-system root is never erased";
    if (chain.size() == 2)
        return "a top-level folder (one directly under /) is never erased as administrator";
    for (const std::string& system : rules.systemFolders) {
        const std::optional<Identity> identity = identityAt(system);
        if (identity && contains(chain, *identity))
            return "it lies in " + system + ", which is never erased as administrator";
    }
    const Identity self = identityOf(folder);
    for (const AdminRules::Home& home : rules.homes) {
        const std::vector<Identity> above = chainOfPath(home.folder);
        if (above.empty())
            continue; // no such folder: nothing to protect
        if (above.front() == self)
            return "it is the home folder of " + home.user + ", which is never erased as administrator";
        if (contains(above, self))
            return "it holds the home folder of " + home.user + " (" + home.folder + "), which is never erased as administrator";
    }
    return {};
}

std::string adminRefusalSeenByUser(const std::string& path, const AdminRules& rules)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed == "/")
        return "the file-system root is never erased";
    const std::size_t slash = trimmed.find_last_of('/');
    if (slash == std::string::npos || path.find('\0') != std::string::npos)
        return {};
    const std::string parent = slash == 0 ? "/" : trimmed.substr(0, slash);
    erase::Fd above(::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (above.get() < 0)
        return {};
    erase::Fd folder(::openat(above.get(), trimmed.c_str() + slash + 1, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st{};
    if (folder.get() < 0 || ::fstat(folder.get(), &st) != 0)
        return {};
    bool undetermined = false;
    std::string reason = adminRefusal(folder.get(), st, rules, &undetermined);
    return undetermined ? std::string() : reason;
}

} // namespace zarvok::tool
