#pragma once
// Every system call the erase engine makes goes through this one thin seam, so that tests can
// answer chosen calls with chosen errors (ENOSYS, EPERM, EMFILE, ESTALE, ENOENT ...) without
// tracing the process. Each call returns its result or its errno as a value; errno itself is
// never read elsewhere in the engine.

#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>

namespace zarvok::erase {

// What a call gave: `value` (a descriptor, a byte count, 0) when `error` is 0.
struct SysResult {
    long value = 0;
    int error = 0;

    bool ok() const { return error == 0; }
};

class SystemCalls {
public:
    virtual ~SystemCalls() = default;

    virtual SysResult openat2(int dirFd, const char* name, const open_how& how);
    virtual SysResult openat(int dirFd, const char* name, int flags);
    virtual SysResult fstat(int fd, struct stat& st);
    virtual SysResult fstatat(int dirFd, const char* name, struct stat& st, int flags);
    // The type and inode of what `path` names from `dirFd` ("" for the handle itself, "../.."
    // for a folder above it), as the server sees it now, past the client's attribute cache
    // (statx with AT_STATX_FORCE_SYNC, never following a link); `st` has st_mode and st_ino set.
    virtual SysResult statFromServer(int dirFd, const char* path, struct stat& st);
    virtual SysResult fileSystemType(int fd, long& type); // fstatfs's f_type
    virtual SysResult getdents64(int fd, char* buffer, std::size_t size);
    virtual SysResult unlinkat(int dirFd, const char* name, int flags);
    virtual SysResult fchmod(int fd, mode_t mode);
    virtual SysResult chmod(const char* path, mode_t mode);
    virtual SysResult dupfd(int fd); // F_DUPFD_CLOEXEC
    virtual SysResult lseek(int fd, off_t offset, int whence); // a listing's place, kept and returned to
    virtual SysResult readlink(const char* path, char* buffer, std::size_t size); // bytes read, no NUL added
    virtual void close(int fd);

    // The three ways of reading the mount ID of an open handle (any kind of handle).
    virtual SysResult statxMountId(int fd, std::uint64_t& id);
    virtual SysResult fileHandleMountId(int fd, std::uint64_t& id); // name_to_handle_at
    virtual SysResult fdinfoMountId(int fd, std::uint64_t& id);     // /proc/self/fdinfo
};

// The calls in use: the real ones unless a test installed others.
SystemCalls& sys();

// For tests: installs `calls` (not owned; nullptr brings the real ones back). Not to be called
// while an erase runs.
void useSystemCalls(SystemCalls* calls);

} // namespace zarvok::erase
