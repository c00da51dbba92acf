#pragma once
// Keeps an erase on the mount its folder lives on. openat2 with RESOLVE_NO_XDEV refuses to
// cross into any mount; where it is missing or refused (ENOSYS on old kernels, EPERM under a
// seccomp filter), every directory is opened with openat and its mount ID compared with the
// folder's. Device numbers prove nothing here: a bind mount of the same file system has the
// same one. Nor does a look through "..": from the root of a bind mount it leads to the mount
// point's parent, on the right mount.

#include "DirHandle.h"

#include <cstdint>
#include <string>
#include <variant>

namespace zarvok::erase {

// Why a folder may not be erased at all; nothing has been touched.
struct Refusal {
    int error = 0;
    std::string reason; // empty: the system's message for `error`
};

class Containment {
public:
    enum class Guard { NoCrossing, MountIds };
    enum class MountIdSource { Statx, FileHandle, FdInfo };

    // Decides how to stay on the mount of the folder `name` below `parentFd`, and refuses a
    // folder that is itself a mount point or whose mount cannot be told apart.
    static std::variant<Containment, Refusal> forFolder(int parentFd, const char* name);

    // Opens the directory `name` below `dirFd` without following a link at that name; EXDEV
    // when it lies on another mount (then it is closed again before anything is done in it).
    Opened openDir(int dirFd, const char* name) const;
    Opened openDirPathOnly(int dirFd, const char* name) const; // needs no permission on it
    // The folder to erase, below the folder holding it; one its owner may not read is made
    // readable first (through a handle that cannot be a link swapped in).
    Opened openRoot(int parentFd, const char* name) const;
    // The parent of the directory behind `childFd`, accepted only when it is still the one the
    // walk came from (`dev`, `ino`): ESTALE when it is not.
    Opened openParent(int childFd, dev_t dev, ino_t ino) const;
    // A directory `name` below `dirFd` that must still be the one known as (`dev`, `ino`).
    Opened openKnown(int dirFd, const char* name, dev_t dev, ino_t ino) const;

    static Refusal mountPointRefusal();


private:
    Containment(Guard guard, MountIdSource source, std::uint64_t mountId);
    Opened open(int dirFd, const char* name, int flags) const;
    int mountIdOf(int fd, std::uint64_t& id) const;

    Guard m_guard;
    MountIdSource m_source;
    std::uint64_t m_mountId; // of the folder's mount; used with Guard::MountIds
};

} // namespace zarvok::erase
