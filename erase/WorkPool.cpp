#include "WorkPool.h"

#include <system_error>

namespace zarvok::erase {

WorkPool::WorkPool(unsigned workers, std::function<void()> threadBody)
    : workers_(workers == 0 ? 1 : workers), threadBody_(std::move(threadBody))
{
}

WorkPool::~WorkPool()
{
    joinHelpers();
}

bool WorkPool::offer(Task& task)
{
    if (workers_ == 1)
        return false;
    std::lock_guard lock(mutex_);
    if (queue_.size() < idle_) {
        queue_.push_back(std::move(task));
        wake_.notify_one();
        return true;
    }
    if (helpers_.size() + 1 >= workers_ || !queue_.empty())
        return false;
    try {
        helpers_.emplace_back(threadBody_);
    } catch (const std::system_error&) {
        return false; // no more threads to be had: keep working with the ones there are
    }
    ++active_; // counted busy until it first asks for work, so the pool cannot drain meanwhile
    queue_.push_back(std::move(task));
    return true;
}

std::optional<Task> WorkPool::take()
{
    std::unique_lock lock(mutex_);
    --active_;
    while (queue_.empty() && active_ > 0) {
        ++idle_;
        wake_.wait(lock);
        --idle_;
    }
    if (queue_.empty()) {
        wake_.notify_all();
        return std::nullopt;
    }
    Task task = std::move(queue_.front());
    queue_.pop_front();
    ++active_;
    return task;
}

void WorkPool::joinHelpers()
{
    for (auto& thread : helpers_)
        if (thread.joinable())
            thread.join();
    helpers_.clear();
}

} // namespace zarvok::erase
