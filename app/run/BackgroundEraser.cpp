#include "BackgroundEraser.h"

#include "HeldInput.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>

namespace zarvok::app {

BackgroundEraser::BackgroundEraser(QObject* parent, InputPolicy policy)
    : QObject(parent)
    , m_policy(std::move(policy))
{
}

BackgroundEraser::~BackgroundEraser()
{
    if (m_worker.joinable())
        m_worker.join();
}

erase::Outcome BackgroundEraser::eraseFolder(const QString& path)
{
    if (m_worker.joinable())
        m_worker.join();
    m_busy = true;
    auto job = std::make_shared<Job>();
    m_job = job;
    const std::string bytes = QFile::encodeName(path).toStdString();

    QEventLoop waiting;
    connect(this, &BackgroundEraser::workerFinished, &waiting, &QEventLoop::quit);
    m_worker = std::thread([this, job, bytes] {
        job->outcome = erase::eraseTree(bytes, &job->progress);
        job->done = true;
        // Queued, so it reaches the waiting loop below even when the erase was instant.
        QMetaObject::invokeMethod(this, &BackgroundEraser::workerFinished, Qt::QueuedConnection);
    });
    {
        const HeldInput held(m_policy);
        // An application-wide exit() also ends nested loops; keep waiting, the result is needed.
        while (!job->done)
            waiting.exec();
    }
    m_worker.join();
    m_busy = false;
    return job->outcome;
}

std::uint64_t BackgroundEraser::removedSoFar() const
{
    return m_job ? m_job->progress.removed.load(std::memory_order_relaxed) : 0;
}

} // namespace zarvok::app
