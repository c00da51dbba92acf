#include "BackgroundEraser.h"

#include <QFile>

namespace zarvok::app {

BackgroundEraser::BackgroundEraser(QObject* parent)
    : FolderEraser(parent)
{
}

BackgroundEraser::~BackgroundEraser()
{
    stop();
    m_worker.release();
}

void BackgroundEraser::start(const QString& path)
{
    stop(); // an erase still running is not this one's business any more
    auto job = std::make_shared<Job>();
    m_job = job;
    m_busy = true;
    m_worker.run([job, bytes = QFile::encodeName(path).toStdString()] { job->outcome = erase::eraseTree(bytes, &job->progress); },
                 [this, job] {
                     m_busy = false;
                     emit finished(job->outcome);
                 });
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
