#include "WorkPool.h"

#include <algorithm>
#include <system_error>

namespace zarvok::erase {

namespace {

// Round trips call for many requests in flight at once: on sshfs with a 1 ms round trip a pool
// widened by 4 twice took 0.7-1.1 s for 2,000 files where 64 fixed workers took 0.6; growing in
// one step closes most of that gap.
constexpr unsigned kWidenBy = 16;

// A widened pool is kept only when it pays: operations that wait on something other than a
// round trip (XFS throttling unlinks behind its background inode work, say) go no faster with
// more workers, and then the pool narrows back for good.
constexpr auto kProbation = std::chrono::milliseconds(300);
constexpr double kWorthWidening = 1.5; // the rate after, against the rate before

} // namespace

WorkPool::WorkPool(unsigned workers, unsigned mostWorkers, std::function<void()> threadBody)
    : m_firstWorkers(std::max(1u, workers)), m_mostWorkers(std::max(m_firstWorkers, mostWorkers)), m_workers(m_firstWorkers),
      m_threadBody(std::move(threadBody))
{
    updateOpenings();
}

void WorkPool::widen()
{
    std::lock_guard lock(m_mutex);
    if (m_probation != Probation::NotYet)
        return;
    const Clock::time_point now = Clock::now();
    m_rateBefore = static_cast<double>(m_operations) / std::chrono::duration<double>(now - m_start).count();
    m_widenedAt = now;
    m_operationsAtWiden = m_operations;
    m_probation = Probation::Running;
    m_workers.store(std::min(m_mostWorkers, kWidenBy * m_workers.load()));
    updateOpenings();
}

void WorkPool::reportOperations(unsigned count)
{
    std::lock_guard lock(m_mutex);
    m_operations += count;
    const Clock::time_point now = Clock::now();
    if (m_probation != Probation::Running || now - m_widenedAt < kProbation)
        return;
    const double rateAfter = static_cast<double>(m_operations - m_operationsAtWiden) / std::chrono::duration<double>(now - m_widenedAt).count();
    m_probation = Probation::Over;
    if (rateAfter < kWorthWidening * m_rateBefore) {
        m_workers.store(m_firstWorkers);
        updateOpenings();
    }
}

void WorkPool::updateOpenings()
{
    const int limit = static_cast<int>(workers());
    const int unstarted = m_queue.empty() ? limit - 1 - static_cast<int>(m_helpers.size()) : 0;
    const int free = static_cast<int>(m_idle) - static_cast<int>(m_queue.size()) + unstarted;
    const int belowLimit = limit - static_cast<int>(m_active) - static_cast<int>(m_queue.size());
    m_openings.store(std::min(free, belowLimit), std::memory_order_relaxed);
}

WorkPool::~WorkPool()
{
    joinHelpers();
}

bool WorkPool::offer(Task& task)
{
    if (workers() == 1)
        return false;
    std::lock_guard lock(m_mutex);
    if (m_active + m_queue.size() >= workers())
        return false; // narrowed again: the idle helpers beyond the limit stay idle
    if (m_queue.size() < m_idle) {
        m_queue.push_back(std::move(task));
        updateOpenings();
        m_wake.notify_one();
        return true;
    }
    if (m_helpers.size() + 1 >= workers() || !m_queue.empty())
        return false;
    try {
        m_helpers.emplace_back(m_threadBody);
    } catch (const std::system_error&) {
        return false; // no more threads to be had: keep working with the ones there are
    }
    ++m_active; // counted busy until it first asks for work, so the pool cannot drain meanwhile
    m_queue.push_back(std::move(task));
    updateOpenings();
    return true;
}

std::optional<Task> WorkPool::take()
{
    std::unique_lock lock(m_mutex);
    --m_active;
    while (m_queue.empty() && m_active > 0) {
        ++m_idle;
        updateOpenings();
        m_wake.wait(lock);
        --m_idle;
        updateOpenings();
    }
    if (m_queue.empty()) {
        m_wake.notify_all();
        return std::nullopt;
    }
    Task task = std::move(m_queue.front());
    m_queue.pop_front();
    ++m_active;
    updateOpenings();
    return task;
}

void WorkPool::joinHelpers()
{
    for (auto& thread : m_helpers)
        if (thread.joinable())
            thread.join();
    m_helpers.clear();
}

} // namespace zarvok::erase
