#pragma once
// Folders never erased, whatever path names them: compared by identity (device and inode), so
// trailing separators, "..", a linked parent or a bind mount name them too.

#include <sys/stat.h>

#include <string>

namespace zarvok::erase {

// Why `folder` must not be erased, or empty: the file-system root, the home folder (from HOME
// and from the password database) and every folder that holds it.
std::string protectedReason(const struct stat& folder);

} // namespace zarvok::erase
