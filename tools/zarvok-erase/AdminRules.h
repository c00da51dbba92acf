#pragma once
// What zarvok-erase --admin never erases as root, beyond the engine's own rules. The route is
// for the asking user's own trees and shared scratch (/tmp, /var/tmp) that hold entries the
// user may not remove, so it refuses: the file-system root and every top-level folder; the
// system hierarchy as a whole (/usr, /etc, /var but /var/tmp, /opt, /srv, /root, ...) and
// everything in it; every home folder, every folder that holds one, and everything in another
// user's home; and any folder on a mount that root's own mount namespace does not have (a
// user's namespace reached through /proc/PID/root). Judged by identity (device and inode) on a
// handle of the folder, climbing its ".." to the root, so a trailing separator, "..", a linked
// parent or a bind mount of one of those folders names it too.

#include <sys/stat.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace zarvok::tool {

struct AdminRules {
    struct Home {
        std::string user;
        std::string folder;
        uid_t uid = 0;
    };
    std::string root = "/";
    std::vector<std::string> systemFolders;  // never erased, nor anything in them
    std::vector<std::string> scratchFolders; // shared: what lies in them may be erased, even in a system folder
    std::vector<Home> homes;                 // never erased, nor what holds one, nor what is in another user's
    std::optional<uid_t> asker;              // whose own home's contents may be erased
    std::string mountTable = "/proc/self/mountinfo"; // the mounts of root's own world

    // This system's folders, and every home folder of the password database (getpwent).
    static AdminRules ofThisSystem(std::optional<uid_t> asker);
};

// The user who asked for the erase: pkexec's PKEXEC_UID when root runs on a user's behalf,
// else the real user ID.
uid_t askingUser();

// Why the folder behind `folderFd` (a handle opened without following a link; `folder` its
// identity) is not erased as administrator, or empty. Refuses too when where it lies cannot be
// told; `undetermined`, when given, is then set (a user's look ahead of polkit may not see it).
std::string adminRefusal(int folderFd, const struct stat& folder, const AdminRules& rules, bool* undetermined = nullptr);

// The same rules as a user can see them before polkit is asked, so that a folder that would be
// refused as root is refused without asking for a password: empty when nothing is refused here
// (also when the user cannot look; root judges again, on its own handle).
std::string adminRefusalSeenByUser(const std::string& path, const AdminRules& rules);

} // namespace zarvok::tool
