#pragma once
// Lets another worker free the folders this one removes. On ext4 the rmdir of an empty folder
// also frees its inode and block, inside the call and under the lock of the folder holding it,
// so one folder's rmdirs run one after another with all of that in them. A handle held across
// the rmdir moves the freeing to the handle's close, and an idle worker does the closing while
// this one goes on (files need none of this: the kernel already frees them after the lock).
// Measured on 50,000 empty folders in one folder of an ext4 image: 0.65 s against 0.89 s for
// rmdir alone. On XFS and btrfs the same costs 1.5-1.8x the time, and on tmpfs it gains
// nothing, so the engine asks for it on ext4 alone.

#include "DirHandle.h"

#include <vector>

namespace zarvok::erase {

class WorkPool;

class DeferredRelease {
public:
    DeferredRelease(WorkPool& pool, bool enabled) : m_pool(pool), m_enabled(enabled) {}
    ~DeferredRelease() = default; // what is still held closes here
    DeferredRelease(const DeferredRelease&) = delete;
    DeferredRelease& operator=(const DeferredRelease&) = delete;

    // A path-only handle on the folder `name` in `dirFd`, to hold across its removal; none
    // when no worker is idle to close it (an open and a close of its own cost more than they
    // save) or the handle cannot be had.
    Fd hold(int dirFd, const char* name);

    // The folder behind `handle` is removed: its close goes to an idle worker with a batch of
    // others, or happens here when none takes them.
    void release(Fd handle);

private:
    void handOver();

    WorkPool& m_pool;
    const bool m_enabled;
    std::vector<Fd> m_batch;
};

} // namespace zarvok::erase
