#include "Containment.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <cerrno>
#include <optional>

namespace zarvok::erase {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr int kPathFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr unsigned long long kNoCrossing = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;

const char* const kMountPointReason = "the folder is a mount point; a mounted volume is never emptied";

// The kernel answers EAGAIN when a rename raced the lookup; a rename storm that never lets up
// ends in that error rather than in an endless loop.
constexpr int kRetriesOnRenameRace = 100;

SysResult openat2Retrying(int dirFd, const char* name, int flags)
{
    open_how how{};
    how.flags = static_cast<unsigned long long>(flags);
    how.resolve = kNoCrossing;
    SysResult result;
    for (int attempt = 0; attempt < kRetriesOnRenameRace; ++attempt) {
        result = sys().openat2(dirFd, name, how);
        if (result.error != EAGAIN)
            break;
    }
    return result;
}

SysResult readMountId(Containment::MountIdSource source, int fd, std::uint64_t& id)
{
    switch (source) {
    case Containment::MountIdSource::Statx: return sys().statxMountId(fd, id);
    case Containment::MountIdSource::FileHandle: return sys().fileHandleMountId(fd, id);
    case Containment::MountIdSource::FdInfo: return sys().fdinfoMountId(fd, id);
    }
    return SysResult{-1, ENOTSUP};
}

// The first way of reading mount IDs that works on `fd`, with the ID it read.
std::optional<Containment::MountIdSource> workingSource(int fd, std::uint64_t& id)
{
    using Source = Containment::MountIdSource;
    for (Source source : {Source::Statx, Source::FileHandle, Source::FdInfo})
        if (readMountId(source, fd, id).ok())
            return source;
    return std::nullopt;
}

} // namespace

Containment::Containment(Guard guard, MountIdSource source, std::uint64_t mountId)
    : m_guard(guard), m_source(source), m_mountId(mountId)
{
}

std::variant<Containment, Refusal> Containment::forFolder(int parentFd, const char* name)
{
    const SysResult probe = openat2Retrying(parentFd, name, kPathFlags);
    if (probe.ok()) {
        sys().close(static_cast<int>(probe.value));
        return Containment(Guard::NoCrossing, MountIdSource::Statx, 0);
    }
    if (probe.error == EXDEV)
        return mountPointRefusal();
    if (probe.error == ENOENT || probe.error == ENOTDIR || probe.error == ELOOP || probe.error == EACCES)
        return Refusal{probe.error, {}};

    // Any other answer means openat2 cannot be relied on here.
    std::uint64_t parentMount = 0;
    const std::optional<MountIdSource> source = workingSource(parentFd, parentMount);
    if (!source)
        return Refusal{ENOTSUP, "the folder's mount cannot be checked here (openat2 is unavailable and no mount ID "
                                "can be read), so nothing was erased"};
    const SysResult opened = sys().openat(parentFd, name, kPathFlags);
    if (!opened.ok())
        return Refusal{opened.error, {}};
    const Fd folder(static_cast<int>(opened.value));
    std::uint64_t folderMount = 0;
    if (const SysResult read = readMountId(*source, folder.get(), folderMount); !read.ok())
        return Refusal{read.error, {}};
    if (folderMount != parentMount)
        return mountPointRefusal();
    return Containment(Guard::MountIds, *source, parentMount);
}

Opened Containment::openDir(int dirFd, const char* name) const
{
    return open(dirFd, name, kDirFlags);
}

Opened Containment::openDirPathOnly(int dirFd, const char* name) const
{
    return open(dirFd, name, kPathFlags);
}

Opened Containment::openRoot(int parentFd, const char* name) const
{
    Opened root = openDir(parentFd, name);
    if (root.error != EACCES)
        return root;
    Opened pathOnly = openDirPathOnly(parentFd, name);
    if (pathOnly.error != 0)
        return pathOnly;
    int ignored = 0; // the EACCES of the open is what counts
    if (grantOwnerAccess(pathOnly.fd.get(), ignored) != Access::Granted)
        return root;
    return openDir(parentFd, name);
}

// ".." of a directory inside the tree never crosses a mount (no directory in the tree is the
// root of one), and the identity check catches a child moved elsewhere meanwhile.
Opened Containment::openParent(int childFd, dev_t dev, ino_t ino) const
{
    return openKnown(childFd, "..", dev, ino);
}

Opened Containment::openKnown(int dirFd, const char* name, dev_t dev, ino_t ino) const
{
    Opened opened = openDir(dirFd, name);
    if (opened.error != 0)
        return opened;
    struct stat st{};
    if (const SysResult stat = sys().fstat(opened.fd.get(), st); !stat.ok())
        return Opened{Fd(), stat.error};
    if (!sameIdentity(st, dev, ino))
        return Opened{Fd(), ESTALE};
    return opened;
}

Refusal Containment::mountPointRefusal()
{
    return Refusal{EBUSY, kMountPointReason};
}

Opened Containment::open(int dirFd, const char* name, int flags) const
{
    const SysResult result = m_guard == Guard::NoCrossing ? openat2Retrying(dirFd, name, flags) : sys().openat(dirFd, name, flags);
    if (!result.ok())
        return Opened{Fd(), result.error};
    Fd fd(static_cast<int>(result.value));
    if (m_guard == Guard::MountIds) {
        std::uint64_t mountId = 0;
        if (const int error = mountIdOf(fd.get(), mountId); error != 0)
            return Opened{Fd(), error};
        if (mountId != m_mountId)
            return Opened{Fd(), EXDEV};
    }
    return Opened{std::move(fd), 0};
}

int Containment::mountIdOf(int fd, std::uint64_t& id) const
{
    return readMountId(m_source, fd, id).error;
}

} // namespace zarvok::erase
