#pragma once
// Runs one piece of work at a time on a thread of its own and reports its end on the owner's
// thread. Released (or destroyed) while the work goes on, it waits a moment for the work to
// end, after the caller has asked it to stop; a worker stuck on a file system that no longer
// answers is left to end with the process.

#include <QObject>

#include <functional>
#include <memory>
#include <thread>

namespace zarvok::app {

class WorkerThread {
public:
    explicit WorkerThread(QObject* owner);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs `work` on the worker; `done` runs afterwards on the owner's thread, never from
    // inside this call, and not at all once the work has been released.
    void run(std::function<void()> work, std::function<void()> done);
    void release();

    // How long release() waits for the work in progress.
    static constexpr int kStopWaitMs = 800;

private:
    struct State;
    QObject* m_owner;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};

} // namespace zarvok::app
