#include "WorkPool.h"

#include <system_error>

namespace zarvok::erase {

WorkPool::WorkPool(unsigned workers, std::function<void()> threadBody)
    : m_workers(workers == 0 ? 1 : workers), m_threadBody(std::move(threadBody))
{
    updateOpenings();
}

void WorkPool::updateOpenings()
{
    const int unstarted = m_queue.empty() ? static_cast<int>(m_workers - 1 - m_helpers.size()) : 0;
    m_openings.store(static_cast<int>(m_idle) - static_cast<int>(m_queue.size()) + unstarted, std::memory_order_relaxed);
}

WorkPool::~WorkPool()
{
    joinHelpers();
}

bool WorkPool::offer(Task& task)
{
    if (m_workers == 1)
        return false;
    std::lock_guard lock(m_mutex);
    if (m_queue.size() < m_idle) {
        m_queue.push_back(std::move(task));
        updateOpenings();
        m_wake.notify_one();
        return true;
    }
    if (m_helpers.size() + 1 >= m_workers || !m_queue.empty())
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
