#pragma once
// Runs the erase engine on a worker thread and reports its outcome on the thread that started
// it. Destroyed while erasing, it stops the engine and waits a moment for it; a worker stuck on
// a file system that no longer answers is left to end with the process.

#include "FolderEraser.h"

#include <memory>
#include <thread>

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

    // How long destruction waits for a stopped worker.
    static constexpr int kStopWaitMs = 800;

private:
    struct Job;
    void deliver(const std::shared_ptr<Job>& job);
    void release();

    std::shared_ptr<Job> m_job;
    std::thread m_worker;
    bool m_busy = false;
};

} // namespace zarvok::app
