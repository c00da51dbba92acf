#include "FolderSurveyor.h"
#include "WorkerThread.h"

#include <QFile>

#include <memory>

namespace zarvok::app {
namespace {

class BackgroundSurveyor final : public FolderSurveyor {
public:
    ~BackgroundSurveyor() override
    {
        stop();
        m_worker.release();
    }

    void start(const QString& path, Priority priority) override
    {
        stop();
        auto job = std::make_shared<Job>();
        m_job = job;
        m_worker.run(
            [job, bytes = QFile::encodeName(path).toStdString(), priority] {
                // A survey only informs; one beside an erase only counts, to keep ahead of it.
                if (priority == Priority::Idle)
                    erase::runThisThreadAtIdlePriority();
                job->survey = erase::surveyTree(bytes, &job->progress,
                                                priority == Priority::Idle ? erase::SurveyDetail::Sizes : erase::SurveyDetail::EntriesOnly);
            },
            [this, job] {
                if (job == m_job)
                    emit finished(job->survey);
            });
    }

    void stop() override
    {
        if (!m_job)
            return;
        m_job->progress.cancel.request();
        m_job.reset();
    }

    std::uint64_t entriesSoFar() const override { return m_job ? m_job->progress.entries.load(std::memory_order_relaxed) : 0; }
    std::uint64_t bytesSoFar() const override { return m_job ? m_job->progress.bytes.load(std::memory_order_relaxed) : 0; }

private:
    struct Job {
        erase::SurveyProgress progress;
        erase::Survey survey;
    };
    std::shared_ptr<Job> m_job;
    WorkerThread m_worker{this};
};

} // namespace

std::unique_ptr<FolderSurveyor> makeBackgroundSurveyor()
{
    return std::make_unique<BackgroundSurveyor>();
}

} // namespace zarvok::app
