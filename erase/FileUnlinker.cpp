#include "FileUnlinker.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zarvok::erase {

namespace {

constexpr std::size_t kChunk = 256;

} // namespace

UnlinkShare::UnlinkShare(int dirFd, std::vector<Entry>& batch, std::atomic<std::uint64_t>& removed)
    : dirFd_(dirFd), entries_(batch), removed_(removed)
{
}

void UnlinkShare::help()
{
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return; // came too late: the owner has done it all
        ++inside_;
    }
    unlinkChunks();
    std::lock_guard lock(mutex_);
    if (--inside_ == 0)
        allOut_.notify_all();
}

void UnlinkShare::workAndClose()
{
    unlinkChunks();
    std::unique_lock lock(mutex_);
    closed_ = true;
    allOut_.wait(lock, [this] { return inside_ == 0; });
}

void UnlinkShare::unlinkChunks()
{
    const std::size_t count = entries_.size();
    for (;;) {
        const std::size_t begin = next_.fetch_add(kChunk);
        if (begin >= count)
            return;
        const std::size_t end = std::min(count, begin + kChunk);
        for (std::size_t i = begin; i < end; ++i)
            unlinkFile(entries_[i]);
    }
}

void UnlinkShare::unlinkFile(Entry& entry)
{
    if (entry.type == DT_DIR)
        return;
    int result = ::unlinkat(dirFd_, entry.name.c_str(), 0);
    if (result != 0 && errno == EACCES && grantOwnerAccess(dirFd_) == 0)
        result = ::unlinkat(dirFd_, entry.name.c_str(), 0);
    if (result == 0 || errno == ENOENT) {
        removed_.fetch_add(1, std::memory_order_relaxed); // also when someone else removed it first
        entry.type = kEntryGone;
        return;
    }
    entry.unlinkError = errno;
    const bool directory = entry.unlinkError == EISDIR || entry.unlinkError == EPERM;
    entry.type = directory ? static_cast<unsigned char>(DT_DIR) : kEntryFailed;
}

} // namespace zarvok::erase
