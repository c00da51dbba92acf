#pragma once
// What zarvok-erase --admin never erases as root, beyond the engine's own rules: the
// file-system root, a top-level folder (one directly under /), anything in the system folders
// (/usr, /etc, /boot, /proc, /sys, /dev, /run), any user's home folder and every folder that
// holds one. Judged by identity (device and inode) on a handle of the folder, climbing its ".."
// to the root, so a trailing separator, "..", a linked parent or a bind mount of one of those
// folders names it too.

#include <sys/stat.h>

#include <string>
#include <vector>

namespace zarvok::tool {

struct AdminRules {
    struct Home {
        std::string user;
        std::string folder;
    };
    std::string root = "/";
    std::vector<std::string> systemFolders; // never erased, nor anything in them
    std::vector<Home> homes;                // never erased, nor any folder holding one

    // The system folders above, and every home folder of the password database (getpwent).
    static AdminRules ofThisSystem();
};

// Why the folder behind `folderFd` (a handle opened without following a link; `folder` its
// identity) is not erased as administrator, or empty. Refuses too when where it lies cannot be
// told; `undetermined`, when given, is then set (a user's look ahead of polkit may not see it).
std::string adminRefusal(int folderFd, const struct stat& folder, const AdminRules& rules, bool* undetermined = nullptr);

// The same rules as a user can see them before polkit is asked, so that a folder that would be
// refused as root is refused without asking for a password: empty when nothing is refused here
// (also when the user cannot look; root judges again, on its own handle).
std::string adminRefusalSeenByUser(const std::string& path, const AdminRules& rules);

} // namespace zarvok::tool
