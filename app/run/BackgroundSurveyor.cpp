#include "FolderSurveyor.h"
#include "WorkerThread.h"

#include <QFile>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <memory>

namespace zarvok::app {
namespace {

// A survey only informs: it yields the processor and the disk to anything else, the erase
// included.
void idleThisThread()
{
    const auto thread = static_cast<id_t>(::gettid());
    ::setpriority(PRIO_PROCESS, thread, 19);
    constexpr int kWhoProcess = 1, kClassIdle = 3, kClassShift = 13;
    ::syscall(SYS_ioprio_set, kWhoProcess, thread, kClassIdle << kClassShift);
}

class BackgroundSurveyor final : public FolderSurveyor {
public:
    ~BackgroundSurveyor() override
    {
        stop();
        m_worker.release();
    }

    void start(const QString& path) override
    {
        stop();
        auto job = std::make_shared<Job>();
        m_job = job;
        m_worker.run(
            [job, bytes = QFile::encodeName(path).toStdString()] {
                idleThisThread();
                job->survey = erase::surveyTree(bytes, &job->progress);
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
