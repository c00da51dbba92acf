#pragma once
// Thin wrappers over the directory-handle system calls the engine is built on. Every call works
// relative to an open directory and never follows a symbolic link in the name it is given.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace zarvok::erase {

struct Entry {
    ino_t ino = 0;
    unsigned char type = 0; // DT_* from the directory listing
    std::string name;
    int unlinkError = 0; // set when removing it as a file failed and it is tried as a directory
};

// Closes the descriptor it owns; move-only.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// Opens the directory `name` below `dirFd` for reading. With `stayOnFileSystem` the open fails
// with EXDEV when `name` is a mount point (bind mounts of the same file system included).
// Returns -1 with errno set on failure; ELOOP or ENOTDIR mean "not a directory".
int openDirAt(int dirFd, const char* name, bool stayOnFileSystem);

// Like openDirAt, but as a path-only handle: needs no permission on the directory itself.
int openDirPathAt(int dirFd, const char* name, bool stayOnFileSystem);

// Gives the owner read, write and search permission on the directory behind `fd` (any kind of
// handle). Returns 0 when that was already so or is done now, else -1 with errno set.
int grantOwnerAccess(int fd);

// True when the handle refers to the given device and inode.
bool sameIdentity(const struct stat& st, dev_t dev, ino_t ino);

// Reads directory entries ("." and ".." left out) into `out` until it holds at least `atLeast`
// entries or the listing ends. Returns 1 while more may follow, 0 at the end, -1 on error.
class DirReader {
public:
    DirReader();
    int readBatch(int dirFd, std::vector<Entry>& out, std::size_t atLeast);

private:
    std::vector<char> buffer_;
};

} // namespace zarvok::erase
