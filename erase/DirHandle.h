#pragma once
// Directory handles and listings, over the engine's system-call seam.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace zarvok::erase {

struct Entry {
    ino_t ino = 0;
    unsigned char type = 0; // DT_* from the listing, or one of the marks in FileUnlinker.h
    std::string name;
    int unlinkError = 0; // why removing it as a file failed, when it did
};

// Closes the descriptor it owns; move-only.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(Fd&& other) noexcept : m_fd(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// A handle, or the error that kept it from being opened.
struct Opened {
    Fd fd;
    int error = 0;
};

enum class Access {
    Granted,        // the owner's permissions were widened just now
    AlreadyAllowed, // nothing to widen: the refusal has another cause
    Refused,        // the change itself was refused (not the owner)
};

// Gives the owner read, write and search permission on the directory behind `fd` (any kind of
// handle). `error` receives the errno when it was refused.
Access grantOwnerAccess(int fd, int& error);

bool sameIdentity(const struct stat& st, dev_t dev, ino_t ino);

// Reads directory entries ("." and ".." left out) into `out` until it holds at least `atLeast`
// entries or the listing ends.
class DirReader {
public:
    struct Batch {
        bool more = false; // the listing may go on
        int error = 0;
    };

    DirReader();
    Batch readBatch(int dirFd, std::vector<Entry>& out, std::size_t atLeast); // about `atLeast` when small

private:
    std::vector<char> m_buffer;
};

} // namespace zarvok::erase
