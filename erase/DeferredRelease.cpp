#include "DeferredRelease.h"

#include "SystemCalls.h"
#include "WorkPool.h"

#include <fcntl.h>

namespace zarvok::erase {

namespace {

// One wake-up of an idle worker for this many closes; it closes them in about the time this
// worker takes to remove as many folders, so the two keep pace.
constexpr std::size_t kBatch = 32;

} // namespace

Fd DeferredRelease::hold(int dirFd, const char* name)
{
    if (!m_enabled || (m_batch.empty() && !m_pool.wantsWork()))
        return Fd();
    // Path-only, no link followed, no automount triggered: the handle touches nothing.
    const SysResult opened = sys().openat(dirFd, name, O_PATH | O_NOFOLLOW | O_DIRECTORY | O_CLOEXEC);
    return opened.ok() ? Fd(static_cast<int>(opened.value)) : Fd();
}

void DeferredRelease::release(Fd handle)
{
    if (!handle.valid())
        return;
    m_batch.push_back(std::move(handle));
    if (m_batch.size() >= kBatch)
        handOver();
}

void DeferredRelease::handOver()
{
    Task task;
    task.handlesToClose = std::move(m_batch);
    if (!m_pool.offer(task))
        task.handlesToClose.clear(); // nobody idle: closed here
    m_batch.clear();
}

} // namespace zarvok::erase
