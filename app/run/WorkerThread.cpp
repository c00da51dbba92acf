#include "WorkerThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zarvok::app {

struct WorkerThread::State {
    std::mutex mutex;
    std::condition_variable finished;
    bool workDone = false;
    bool released = false;
    std::function<void()> done; // run on the owner's thread
};

WorkerThread::WorkerThread(QObject* owner)
    : m_owner(owner)
{
}

WorkerThread::~WorkerThread()
{
    release();
}

void WorkerThread::run(std::function<void()> work, std::function<void()> done)
{
    release();
    auto state = std::make_shared<State>();
    state->done = std::move(done);
    m_state = state;
    m_thread = std::thread([state, owner = m_owner, work = std::move(work)] {
        work();
        const std::lock_guard lock(state->mutex);
        state->workDone = true;
        state->finished.notify_all();
        // Under the lock, so the owner cannot be released between the check and the post. The
        // posted call holds only the state: whichever thread drops it last frees the callback.
        if (!state->released)
            QMetaObject::invokeMethod(owner, [state] {
                if (!state->released)
                    state->done();
            }, Qt::QueuedConnection);
    });
}

void WorkerThread::release()
{
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_state->mutex);
    m_state->released = true;
    const bool ended = m_state->finished.wait_for(lock, std::chrono::milliseconds(kStopWaitMs), [this] { return m_state->workDone; });
    lock.unlock();
    if (ended)
        m_thread.join();
    else
        m_thread.detach(); // it owns what it works on; what it removes stays removed
}

} // namespace zarvok::app
