#include "FileUnlinker.h"

#include "EraseRun.h"
#include "SystemCalls.h"
#include "WaitGauge.h"
#include "WorkPool.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace zarvok::erase {

namespace {

constexpr std::size_t kChunk = 256;
// While the pool may still widen, the owner looks up this often to notice it: each unlink may
// take a round trip, and 16 of them (25 ms on a share) kept the workers of a newly widened pool
// waiting for work about as long as it had taken to decide on widening.
constexpr std::size_t kWatchfulChunk = 4;
constexpr std::size_t kFineChunk = 4; // once the pool is widened: every worker gets some of a batch

} // namespace

UnlinkShare::UnlinkShare(int dirFd, Node& dir, std::vector<Entry>& batch, std::atomic<std::uint64_t>& removed, const WorkPool& pool,
                         std::function<void()> onWidened, const CancelFlag* cancel)
    : m_dirFd(dirFd), m_dir(dir), m_entries(batch), m_removed(removed), m_pool(pool), m_onWidened(std::move(onWidened)),
      m_cancel(cancel)
{
}

void UnlinkShare::help()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return; // came too late: the owner has done it all
        ++m_inside;
    }
    unlinkChunks(false);
    std::lock_guard lock(m_mutex);
    if (--m_inside == 0)
        m_allOut.notify_all();
}

void UnlinkShare::workAndClose()
{
    unlinkChunks(true);
    std::unique_lock lock(m_mutex);
    m_closed = true;
    m_allOut.wait(lock, [this] { return m_inside == 0; });
}

void UnlinkShare::unlinkChunks(bool owner)
{
    const std::size_t count = m_entries.size();
    for (;;) {
        if (m_cancel != nullptr && m_cancel->requested())
            return; // what is left of the batch is no longer the walk's business
        if (owner && m_onWidened && m_pool.widened() && m_pool.wantsWork())
            m_onWidened();
        const std::size_t chunk = chunkSize();
        const std::size_t begin = m_next.fetch_add(chunk);
        if (begin >= count)
            return;
        const std::size_t end = std::min(count, begin + chunk);
        for (std::size_t i = begin; i < end; ++i)
            unlinkFile(m_entries[i]);
    }
}

std::size_t UnlinkShare::chunkSize() const
{
    if (m_pool.widened())
        return kFineChunk;
    return m_pool.adapts() ? kWatchfulChunk : kChunk;
}

void UnlinkShare::unlinkFile(Entry& entry)
{
    if (entry.type == DT_DIR)
        return;
    SysResult result = sys().unlinkat(m_dirFd, entry.name.c_str(), 0);
    gauge::noteOperation();
    // A failed repair leaves the EACCES as it was and is not followed by another try.
    if (result.error == EACCES && m_dir.repairAccess(m_dirFd) == Access::Granted)
        result = sys().unlinkat(m_dirFd, entry.name.c_str(), 0);
    if (result.ok() || result.error == ENOENT) {
        m_removed.fetch_add(1, std::memory_order_relaxed); // also when someone else removed it first
        entry.type = kEntryGone;
        return;
    }
    entry.unlinkError = result.error;
    entry.type = result.error == EISDIR ? static_cast<unsigned char>(DT_DIR) : kEntryFailed;
}

} // namespace zarvok::erase
