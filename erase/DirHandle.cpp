#include "DirHandle.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace zarvok::erase {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr std::size_t kReadBufferBytes = 64 * 1024;

// openat2 may be missing (old kernel) or filtered (container); then the engine falls back to
// comparing st_dev after each open, which still catches mounts of other file systems.
std::atomic<bool> openat2Usable{true};

// Layout of one record from getdents64: inode, offset, record length, type, name.
constexpr std::size_t kInoAt = 0;
constexpr std::size_t kReclenAt = 16;
constexpr std::size_t kTypeAt = 18;
constexpr std::size_t kNameAt = 19;

int openWithFlags(int dirFd, const char* name, int flags, bool stayOnFileSystem)
{
    if (stayOnFileSystem && openat2Usable.load(std::memory_order_relaxed)) {
        open_how how{};
        how.flags = static_cast<unsigned long long>(flags);
        how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        for (;;) {
            const long fd = ::syscall(SYS_openat2, dirFd, name, &how, sizeof how);
            if (fd >= 0)
                return static_cast<int>(fd);
            if (errno == EAGAIN || errno == EINTR)
                continue; // the kernel asks for a retry when a rename raced the lookup
            if (errno != ENOSYS)
                return -1;
            openat2Usable.store(false, std::memory_order_relaxed);
            break;
        }
    }
    int fd;
    do {
        fd = ::openat(dirFd, name, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

Fd& Fd::operator=(Fd&& other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

int Fd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void Fd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

int openDirAt(int dirFd, const char* name, bool stayOnFileSystem)
{
    return openWithFlags(dirFd, name, kDirFlags, stayOnFileSystem);
}

int openDirPathAt(int dirFd, const char* name, bool stayOnFileSystem)
{
    return openWithFlags(dirFd, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC, stayOnFileSystem);
}

int grantOwnerAccess(int fd)
{
    struct stat st{};
    if (::fstat(fd, &st) != 0)
        return -1;
    if ((st.st_mode & S_IRWXU) == S_IRWXU)
        return 0;
    const mode_t mode = (st.st_mode & 07777) | S_IRWXU;
    if (::fchmod(fd, mode) == 0)
        return 0;
    if (errno != EBADF)
        return -1;
    // A path-only handle cannot be chmod-ed directly; its /proc link names exactly the
    // directory it was opened on, so no symbolic link can be slipped in between.
    const std::string procLink = "/proc/self/fd/" + std::to_string(fd);
    return ::chmod(procLink.c_str(), mode);
}

bool sameIdentity(const struct stat& st, dev_t dev, ino_t ino)
{
    return st.st_dev == dev && st.st_ino == ino;
}

DirReader::DirReader() : buffer_(kReadBufferBytes) {}

int DirReader::readBatch(int dirFd, std::vector<Entry>& out, std::size_t atLeast)
{
    while (out.size() < atLeast) {
        const long bytes = ::syscall(SYS_getdents64, dirFd, buffer_.data(), buffer_.size());
        if (bytes < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (bytes == 0)
            return 0;
        for (long offset = 0; offset < bytes;) {
            const char* record = buffer_.data() + offset;
            std::uint64_t ino = 0;
            unsigned short length = 0;
            std::memcpy(&ino, record + kInoAt, sizeof ino);
            std::memcpy(&length, record + kReclenAt, sizeof length);
            offset += length;
            const char* n = record + kNameAt;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
                continue;
            const auto type = static_cast<unsigned char>(record[kTypeAt]);
            out.push_back(Entry{static_cast<ino_t>(ino), type, std::string(n)});
        }
    }
    return 1;
}

} // namespace zarvok::erase
