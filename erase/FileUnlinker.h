#pragma once
// Unlinks the files of one listed batch, alone or with other workers joining in. What turns out
// to be a directory (EISDIR) stays for the walk.

#include "CancelFlag.h"
#include "DirHandle.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace zarvok::erase {

class Node;
class WorkPool;

// Marks the unlink pass leaves on entries.
constexpr unsigned char kEntryGone = 0xF0;
constexpr unsigned char kEntryFailed = 0xF1; // the error is in unlinkError

// The files of one batch, handed out in chunks to whoever joins. The owner closes the share
// once no chunk is left and then waits only for helpers already inside, so a helper that comes
// late never touches the batch.
class UnlinkShare {
public:
    // Chunks are a few entries once `pool` has been widened (each unlink waits on a round trip),
    // else large. Between chunks of a widened pool with workers idle, the owner calls
    // `onWidened`: the walk hands out subfolders waiting above, which is work for them where
    // this batch is none (the unlinks of one folder wait for each other on its lock).
    UnlinkShare(int dirFd, Node& dir, std::vector<Entry>& batch, std::atomic<std::uint64_t>& removed, const WorkPool& pool,
                std::function<void()> onWidened = {}, const CancelFlag* cancel = nullptr);

    void help();         // another worker joins in
    void workAndClose(); // the owner: unlinks until nothing is left, then waits for helpers

private:
    void unlinkChunks(bool owner);
    std::size_t chunkSize() const;
    void unlinkFile(Entry& entry);

    const int m_dirFd;
    Node& m_dir;
    std::vector<Entry>& m_entries;
    std::atomic<std::uint64_t>& m_removed;
    const WorkPool& m_pool;
    const std::function<void()> m_onWidened; // the owner's alone
    const CancelFlag* m_cancel;              // looked at between chunks
    std::atomic<std::size_t> m_next{0};
    std::mutex m_mutex;
    std::condition_variable m_allOut;
    int m_inside = 0;
    bool m_closed = false;
};

} // namespace zarvok::erase
