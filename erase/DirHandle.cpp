#include "DirHandle.h"

#include "SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace zarvok::erase {

namespace {

constexpr std::size_t kReadBufferBytes = 64 * 1024;

// Layout of one record from getdents64: inode, offset, record length, type, name.
constexpr std::size_t kInoAt = 0;
constexpr std::size_t kReclenAt = 16;
constexpr std::size_t kTypeAt = 18;
constexpr std::size_t kNameAt = 19;

bool isDotOrDotDot(const char* n)
{
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
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
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void Fd::reset(int fd)
{
    if (m_fd >= 0)
        sys().close(m_fd);
    m_fd = fd;
}

Access grantOwnerAccess(int fd, int& error)
{
    struct stat st{};
    if (const SysResult stat = sys().fstat(fd, st); !stat.ok()) {
        error = stat.error;
        return Access::Refused;
    }
    if ((st.st_mode & S_IRWXU) == S_IRWXU)
        return Access::AlreadyAllowed;
    const mode_t mode = (st.st_mode & 07777) | S_IRWXU;
    SysResult changed = sys().fchmod(fd, mode);
    if (changed.error == EBADF) {
        // A path-only handle cannot be chmod-ed directly; its /proc link names exactly the
        // directory it was opened on, so no symbolic link can be slipped in between.
        const std::string procLink = "/proc/self/fd/" + std::to_string(fd);
        changed = sys().chmod(procLink.c_str(), mode);
    }
    error = changed.error;
    return changed.ok() ? Access::Granted : Access::Refused;
}

bool sameIdentity(const struct stat& st, dev_t dev, ino_t ino)
{
    return st.st_dev == dev && st.st_ino == ino;
}

DirReader::DirReader() : m_buffer(kReadBufferBytes) {}

DirReader::Batch DirReader::readBatch(int dirFd, std::vector<Entry>& out, std::size_t atLeast)
{
    // A small batch is read with a small buffer: one full buffer holds about a thousand names.
    const std::size_t readSize = std::clamp<std::size_t>(atLeast * 32, 512, m_buffer.size());
    while (out.size() < atLeast) {
        const SysResult read = sys().getdents64(dirFd, m_buffer.data(), readSize);
        if (!read.ok())
            return Batch{false, read.error};
        if (read.value == 0)
            return Batch{false, 0};
        for (long offset = 0; offset < read.value;) {
            const char* record = m_buffer.data() + offset;
            std::uint64_t ino = 0;
            unsigned short length = 0;
            std::memcpy(&ino, record + kInoAt, sizeof ino);
            std::memcpy(&length, record + kReclenAt, sizeof length);
            offset += length;
            if (isDotOrDotDot(record + kNameAt))
                continue;
            const auto type = static_cast<unsigned char>(record[kTypeAt]);
            out.push_back(Entry{static_cast<ino_t>(ino), type, std::string(record + kNameAt), 0});
        }
    }
    return Batch{true, 0};
}

} // namespace zarvok::erase
