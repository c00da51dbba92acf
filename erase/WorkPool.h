#pragma once
// The workers of one erase share subdirectories through this pool. A worker hands a
// subdirectory over only while another worker is idle (or may still be started), so the queue
// never holds more than a handful of open directories and no thread is made per directory.

#include "DirHandle.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zarvok::erase {

class Node;
class UnlinkShare;

// A subdirectory to erase (node and fd), or some of a folder's subdirectories still to do
// (node and fd of the folder, and `subdirectories`), or a share of a large folder's files to
// unlink, or handles on removed folders to close.
struct Task {
    std::shared_ptr<Node> node;
    Fd fd;
    std::shared_ptr<UnlinkShare> share;
    std::vector<Entry> subdirectories;
    std::vector<Fd> handlesToClose;
};

class WorkPool {
public:
    // `threadBody` runs on each helper thread the pool starts; it loops on take(). The pool
    // starts with `workers` and may be widened up to `mostWorkers`.
    WorkPool(unsigned workers, unsigned mostWorkers, std::function<void()> threadBody);
    ~WorkPool();
    WorkPool(const WorkPool&) = delete;
    WorkPool& operator=(const WorkPool&) = delete;

    // Queues the task when some worker can pick it up at once; otherwise leaves it untouched
    // and returns false, and the caller erases that subdirectory itself.
    bool offer(Task& task);

    // Ends the caller's current task and returns its next one, or nothing once every worker
    // is idle and the queue is empty. Helpers call it first with no task in hand.
    std::optional<Task> take();

    // True when an offer now would likely be taken; cheap, without the lock.
    bool wantsWork() const { return m_openings.load(std::memory_order_relaxed) > 0; }

    void joinHelpers();
    unsigned workers() const { return m_workers.load(std::memory_order_relaxed); }

    // Whether the number of workers may still grow, and whether it has.
    bool adapts() const { return m_mostWorkers > m_firstWorkers; }
    bool widened() const { return workers() > m_firstWorkers; }
    bool mayStillWiden() const { return workers() < m_mostWorkers; }
    // Multiplies the workers, up to the most allowed: the file system waits on round trips, so
    // more requests in flight cost little processor time and save much waiting.
    void widen();

private:
    const unsigned m_firstWorkers;
    const unsigned m_mostWorkers;
    std::atomic<unsigned> m_workers;
    std::function<void()> m_threadBody;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Task> m_queue;
    unsigned m_idle = 0;
    unsigned m_starting = 0; // threads started for a queued task that have not yet asked for it
    unsigned m_active = 1; // the calling thread starts with the root
    std::vector<std::thread> m_helpers;
    std::atomic<int> m_openings{0}; // idle or unstarted workers without a queued task

    void updateOpenings(); // with the lock held
    void arrive();         // a started thread is about to ask for its first task
};

} // namespace zarvok::erase
