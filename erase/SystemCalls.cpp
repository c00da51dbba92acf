#include "SystemCalls.h"

#include <fcntl.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace zarvok::erase {

namespace {

SysResult resultOf(long value)
{
    return value < 0 ? SysResult{value, errno} : SysResult{value, 0};
}

// Retried on EINTR, as every caller would.
template <typename Call>
SysResult retrying(Call call)
{
    for (;;) {
        const SysResult result = resultOf(call());
        if (result.error != EINTR)
            return result;
    }
}

SystemCalls realCalls;
std::atomic<SystemCalls*> current{&realCalls};

} // namespace

SysResult SystemCalls::openat2(int dirFd, const char* name, const open_how& how)
{
    return retrying([&] { return ::syscall(SYS_openat2, dirFd, name, &how, sizeof how); });
}

SysResult SystemCalls::openat(int dirFd, const char* name, int flags)
{
    return retrying([&] { return static_cast<long>(::openat(dirFd, name, flags)); });
}

SysResult SystemCalls::fstat(int fd, struct stat& st)
{
    return resultOf(::fstat(fd, &st));
}

SysResult SystemCalls::fstatat(int dirFd, const char* name, struct stat& st, int flags)
{
    return resultOf(::fstatat(dirFd, name, &st, flags));
}

SysResult SystemCalls::getdents64(int fd, char* buffer, std::size_t size)
{
    return retrying([&] { return ::syscall(SYS_getdents64, fd, buffer, size); });
}

SysResult SystemCalls::unlinkat(int dirFd, const char* name, int flags)
{
    return resultOf(::unlinkat(dirFd, name, flags));
}

SysResult SystemCalls::fchmod(int fd, mode_t mode)
{
    return resultOf(::fchmod(fd, mode));
}

SysResult SystemCalls::chmod(const char* path, mode_t mode)
{
    return resultOf(::chmod(path, mode));
}

SysResult SystemCalls::dupfd(int fd)
{
    return resultOf(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

SysResult SystemCalls::readlink(const char* path, char* buffer, std::size_t size)
{
    return resultOf(static_cast<long>(::readlink(path, buffer, size)));
}

void SystemCalls::close(int fd)
{
    ::close(fd);
}

SysResult SystemCalls::statFromServer(int dirFd, const char* path, struct stat& st)
{
    struct statx stx{};
    const int flags = (*path ? 0 : AT_EMPTY_PATH) | AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC;
    const SysResult result = resultOf(::statx(dirFd, path, flags, STATX_TYPE | STATX_INO, &stx));
    if (result.ok()) {
        st.st_mode = stx.stx_mode;
        st.st_ino = stx.stx_ino;
    }
    return result;
}

SysResult SystemCalls::fileSystemType(int fd, long& type)
{
    struct statfs fs{};
    const SysResult result = resultOf(::fstatfs(fd, &fs));
    if (result.ok())
        type = static_cast<long>(static_cast<unsigned long>(fs.f_type) & 0xffffffffUL);
    return result;
}

SysResult SystemCalls::lseek(int fd, off_t offset, int whence)
{
    const off_t at = ::lseek(fd, offset, whence);
    return at < 0 ? resultOf(-1) : SysResult{static_cast<long>(at), 0};
}

SysResult SystemCalls::statxMountId(int fd, std::uint64_t& id)
{
    struct statx stx{};
    const SysResult result = resultOf(::statx(fd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_MNT_ID, &stx));
    if (!result.ok())
        return result;
    if (!(stx.stx_mask & STATX_MNT_ID))
        return SysResult{-1, ENOTSUP}; // a kernel before 5.8 leaves the field out
    id = stx.stx_mnt_id;
    return result;
}

SysResult SystemCalls::fileHandleMountId(int fd, std::uint64_t& id)
{
    union {
        file_handle handle;
        char bytes[sizeof(file_handle) + MAX_HANDLE_SZ];
    } buffer{};
    buffer.handle.handle_bytes = MAX_HANDLE_SZ;
    int mountId = 0;
    const SysResult result = resultOf(::name_to_handle_at(fd, "", &buffer.handle, &mountId, AT_EMPTY_PATH));
    // EOVERFLOW still fills in the mount ID; only the handle itself did not fit.
    if (!result.ok() && result.error != EOVERFLOW)
        return result;
    id = static_cast<std::uint64_t>(mountId);
    return SysResult{};
}

SysResult SystemCalls::fdinfoMountId(int fd, std::uint64_t& id)
{
    const std::string path = "/proc/self/fdinfo/" + std::to_string(fd);
    const int info = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (info < 0)
        return resultOf(-1);
    char text[512];
    const ssize_t got = ::read(info, text, sizeof text - 1);
    const int readError = errno;
    ::close(info);
    if (got < 0)
        return SysResult{-1, readError};
    text[got] = '\0';
    const char* field = std::strstr(text, "mnt_id:");
    if (!field)
        return SysResult{-1, ENOTSUP};
    id = std::strtoull(field + 7, nullptr, 10);
    return SysResult{};
}

SystemCalls& sys()
{
    return *current.load(std::memory_order_acquire);
}

void useSystemCalls(SystemCalls* calls)
{
    current.store(calls ? calls : &realCalls, std::memory_order_release);
}

} // namespace zarvok::erase
