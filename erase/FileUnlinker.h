#pragma once
// Unlinks the files of one listed batch, alone or with other workers joining in. What turns out
// to be a directory (EISDIR, or EPERM as some systems say) stays for the walk.

#include "DirHandle.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace zarvok::erase {

// Marks the unlink pass leaves on entries.
constexpr unsigned char kEntryGone = 0xF0;
constexpr unsigned char kEntryFailed = 0xF1; // the error is in unlinkError

// The files of one batch, handed out in chunks to whoever joins. The owner closes the share
// once no chunk is left and then waits only for helpers already inside, so a helper that comes
// late never touches the batch.
class UnlinkShare {
public:
    UnlinkShare(int dirFd, std::vector<Entry>& batch, std::atomic<std::uint64_t>& removed);

    void help();            // another worker joins in
    void workAndClose();    // the owner: unlinks until nothing is left, then waits for helpers

private:
    void unlinkChunks();
    void unlinkFile(Entry& entry);

    const int dirFd_;
    std::vector<Entry>& entries_;
    std::atomic<std::uint64_t>& removed_;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable allOut_;
    int inside_ = 0;
    bool closed_ = false;
};

} // namespace zarvok::erase
