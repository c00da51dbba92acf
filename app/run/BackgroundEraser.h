#pragma once
// Runs the erase engine on a worker thread. While it works the window goes on painting and
// closing it ends the program, but user input (clicks, keys, drops, input-method text) is held
// back and handed on after the erase, so that it is handled at the erase loop's next event
// point; of a run of pointer moves only the latest is kept. The owner's policy lets some input
// through at once (the Exit button's) or takes it over.

#include "FolderEraser.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace zarvok::app {

enum class InputDuringErase {
    Hold,    // handed on after the erase
    Deliver, // handled at once
    Drop,    // already dealt with by the policy
};

class BackgroundEraser final : public QObject, public FolderEraser {
    Q_OBJECT
public:
    // What becomes of an input event for one of the program's windows during an erase.
    using InputPolicy = std::function<InputDuringErase(QObject* window, QEvent* event)>;

    explicit BackgroundEraser(QObject* parent = nullptr, InputPolicy policy = {});
    ~BackgroundEraser() override; // waits for a worker that is still running

    erase::Outcome eraseFolder(const QString& path) override;
    std::uint64_t removedSoFar() const override;

    bool busy() const { return m_busy; }

signals:
    void workerFinished();

private:
    struct Job {
        erase::Progress progress;
        erase::Outcome outcome;
        std::atomic<bool> done{false};
    };
    InputPolicy m_policy;
    std::shared_ptr<Job> m_job;
    std::thread m_worker;
    bool m_busy = false;
};

} // namespace zarvok::app
