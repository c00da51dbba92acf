#include "BackgroundEraser.h"

#include <QFile>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zarvok::app {

struct BackgroundEraser::Job {
    erase::Progress progress;
    erase::Outcome outcome;
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    BackgroundEraser* owner = nullptr; // cleared when the owner goes first
};

BackgroundEraser::BackgroundEraser(QObject* parent)
    : FolderEraser(parent)
{
}

BackgroundEraser::~BackgroundEraser()
{
    release();
}

void BackgroundEraser::release()
{
    if (!m_worker.joinable())
        return;
    std::unique_lock lock(m_job->mutex);
    m_job->owner = nullptr;
    m_job->progress.cancel.request();
    const bool done = m_job->doneChanged.wait_for(lock, std::chrono::milliseconds(kStopWaitMs), [this] { return m_job->done; });
    lock.unlock();
    if (done)
        m_worker.join();
    else
        m_worker.detach(); // it owns its job; what it removes stays removed
}

void BackgroundEraser::start(const QString& path)
{
    release();
    m_busy = true;
    auto job = std::make_shared<Job>();
    job->owner = this;
    m_job = job;
    const std::string bytes = QFile::encodeName(path).toStdString();
    m_worker = std::thread([job, bytes] {
        erase::Outcome outcome = erase::eraseTree(bytes, &job->progress);
        const std::lock_guard lock(job->mutex);
        job->outcome = std::move(outcome);
        job->done = true;
        job->doneChanged.notify_all();
        // Under the lock, so the owner cannot be destroyed between the check and the post.
        if (BackgroundEraser* owner = job->owner)
            QMetaObject::invokeMethod(owner, [owner, job] { owner->deliver(job); }, Qt::QueuedConnection);
    });
}

void BackgroundEraser::deliver(const std::shared_ptr<Job>& job)
{
    if (job != m_job)
        return;
    m_worker.join();
    m_busy = false;
    emit finished(job->outcome);
}

void BackgroundEraser::stop()
{
    if (m_job)
        m_job->progress.cancel.request();
}

std::uint64_t BackgroundEraser::removedSoFar() const
{
    return m_job ? m_job->progress.removed.load(std::memory_order_relaxed) : 0;
}

} // namespace zarvok::app
