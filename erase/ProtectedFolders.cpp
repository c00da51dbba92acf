#include "ProtectedFolders.h"

#include "DirHandle.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace zarvok::erase {

namespace {

std::optional<struct stat> statOf(int fd)
{
    struct stat st{};
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return std::nullopt;
    return st;
}

std::string passwdHome()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

bool same(const std::optional<struct stat>& st, const struct stat& folder)
{
    return st && sameIdentity(*st, folder.st_dev, folder.st_ino);
}

// How many levels `folder` stands above `home` (0: it is the home folder), climbing ".." from
// the home folder to the root across mounts, as the path does; -1 when it holds no home folder.
int levelsAboveHome(const struct stat& folder, const char* home)
{
    if (!home || home[0] != '/')
        return -1;
    Fd at(::open(home, O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::optional<struct stat> here = statOf(at.get());
    for (int level = 0; here; ++level) {
        if (same(here, folder))
            return level;
        Fd up(::openat(at.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        const std::optional<struct stat> above = statOf(up.get());
        if (!above || sameIdentity(*above, here->st_dev, here->st_ino))
            return -1; // the root, whose ".." is itself
        at = std::move(up);
        here = above;
    }
    return -1;
}

} // namespace

std::string protectedReason(const struct stat& folder)
{
    Fd root(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (same(statOf(root.get()), folder))
        return "the file-system root is never erased";
    const std::string passwd = passwdHome();
    const char* const homes[] = {std::getenv("HOME"), passwd.c_str()};
    for (const char* home : homes) {
        const int level = levelsAboveHome(folder, home);
        if (level == 0)
            return "the home folder itself is never erased";
        if (level > 0)
            return "it holds the home folder, which is never erased";
    }
    return {};
}

} // namespace zarvok::erase
