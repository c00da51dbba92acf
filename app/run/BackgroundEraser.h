#pragma once
// Runs the erase engine on a worker thread and reports its outcome on the thread that started
// it. Destroyed while erasing, it stops the engine and waits a moment for it.

#include "FolderEraser.h"
#include "WorkerThread.h"

#include <memory>

namespace zarvok::app {

class BackgroundEraser final : public FolderEraser {
    Q_OBJECT
public:
    explicit BackgroundEraser(QObject* parent = nullptr);
    ~BackgroundEraser() override;

    void start(const QString& path) override;
    void stop() override;
    std::uint64_t removedSoFar() const override;

    bool busy() const { return m_busy; }

    static constexpr int kStopWaitMs = WorkerThread::kStopWaitMs;

private:
    struct Job {
        erase::Progress progress;
        erase::Outcome outcome;
    };
    std::shared_ptr<Job> m_job;
    WorkerThread m_worker{this};
    bool m_busy = false;
};

} // namespace zarvok::app
