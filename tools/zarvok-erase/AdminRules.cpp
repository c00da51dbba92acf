#include "AdminRules.h"

#include "DirHandle.h"
#include "EraseEngine.h"
#include "SystemCalls.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

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

std::optional<Identity> firstHeld(const std::vector<Identity>& chain, const std::vector<std::string>& folders, std::string* which)
{
    for (const std::string& folder : folders) {
        const std::optional<Identity> identity = identityAt(folder);
        if (identity && contains(chain, *identity)) {
            *which = folder;
            return identity;
        }
    }
    return std::nullopt;
}

// The handle's mount, whatever the kernel offers to tell it.
std::optional<std::uint64_t> mountIdOf(int fd)
{
    std::uint64_t id = 0;
    if (erase::sys().statxMountId(fd, id).ok() || erase::sys().fileHandleMountId(fd, id).ok())
        return id;
    return std::nullopt;
}

// Whether mount `id` is one of the table's (the first field of each mountinfo line).
bool mountListed(const std::string& table, std::uint64_t id, bool& readable)
{
    std::ifstream in(table);
    readable = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::uint64_t listed = 0;
        if (fields >> listed && listed == id)
            return true;
    }
    return false;
}

// Root climbing ".." from a folder on a mount of a user's namespace lands in the user's folders,
// not in the system folders the mount shows: such a folder is refused before any climb.
std::string foreignMountRefusal(int folderFd, const AdminRules& rules)
{
    const std::optional<std::uint64_t> id = mountIdOf(folderFd);
    bool readable = false;
    if (id && mountListed(rules.mountTable, *id, readable))
        return {};
    if (!id || !readable)
        return "the folder's mount could not be told, so it is not erased as administrator";
    return "the folder lies on a mount of another process's view of the files (a mount namespace of its own), "
           "so it is not erased as administrator";
}

std::string homeRefusal(const std::vector<Identity>& chain, const AdminRules& rules)
{
    const Identity self = chain.front();
    for (const AdminRules::Home& home : rules.homes) {
        const std::vector<Identity> above = chainOfPath(home.folder);
        if (above.empty())
            continue; // no such folder: nothing to protect
        if (above.front() == self)
            return "it is the home folder of " + home.user + ", which is never erased as administrator";
        if (contains(above, self))
            return "it holds the home folder of " + home.user + " (" + home.folder + "), which is never erased as administrator";
        // A home of / or a top-level folder is left to the rules above.
        const bool foreign = !rules.asker || home.uid != *rules.asker;
        if (foreign && above.size() > 2 && contains(chain, above.front()))
            return "it lies in the home folder of " + home.user + " (" + home.folder + "), and another user's files are never erased as administrator";
    }
    return {};
}

} // namespace

AdminRules AdminRules::ofThisSystem(std::optional<uid_t> asker)
{
    AdminRules rules;
    // The Filesystem Hierarchy Standard's system folders, and what distributions add to them.
    rules.systemFolders = {"/usr", "/etc", "/boot", "/opt", "/srv", "/var", "/root", "/snap", "/proc", "/sys", "/dev", "/run",
                           "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32", "/lost+found"};
    rules.scratchFolders = {"/tmp", "/var/tmp"};
    rules.asker = asker;
    ::setpwent();
    errno = 0;
    while (const passwd* entry = ::getpwent()) {
        if (entry->pw_dir && entry->pw_dir[0] == '/')
            rules.homes.push_back({entry->pw_name ? entry->pw_name : "", entry->pw_dir, entry->pw_uid});
    }
    ::endpwent();
    return rules;
}

uid_t askingUser()
{
    // pkexec sets it and clears the rest of the environment, so a user cannot forge it.
    const char* asked = ::geteuid() == 0 ? std::getenv("PKEXEC_UID") : nullptr;
    if (asked && *asked) {
        char* end = nullptr;
        errno = 0;
        const unsigned long uid = std::strtoul(asked, &end, 10);
        if (errno == 0 && *end == '\0' && uid < static_cast<unsigned long>(static_cast<uid_t>(-1)))
            return static_cast<uid_t>(uid);
    }
    return ::getuid();
}

std::string adminRefusal(int folderFd, const struct stat& folder, const AdminRules& rules, bool* undetermined)
{
    if (undetermined)
        *undetermined = false;
    if (std::string reason = foreignMountRefusal(folderFd, rules); !reason.empty())
        return reason;
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
    std::string which;
    const std::optional<Identity> scratch = firstHeld(chain, rules.scratchFolders, &which);
    if (scratch && *scratch == chain.front())
        return which + " is shared by every user and is never erased as administrator";
    if (!scratch && firstHeld(chain, rules.systemFolders, &which))
        return "it lies in " + which + ", which is never erased as administrator";
    return homeRefusal(chain, rules);
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
    if (const std::optional<erase::Outcome> before = erase::checkBeforeErase(path, true); before && before->status == erase::Status::Refused)
        return before->reason;
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
