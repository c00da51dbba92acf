#pragma once
// Runs the erase engine on a worker thread. While it works the window goes on painting and
// closing it ends the program, but user input (clicks, keys) is held back and handed on after
// the erase, so that it is handled at the erase loop's next event point. Input the owner lets
// through (the Exit button's) is handled at once.

#include "FolderEraser.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace zarvok::app {

class BackgroundEraser final : public QObject, public FolderEraser {
    Q_OBJECT
public:
    // Whether an input event for one of the program's windows goes through during an erase.
    using LetThrough = std::function<bool(QObject* window, QEvent* event)>;

    explicit BackgroundEraser(QObject* parent = nullptr, LetThrough letThrough = {});
    ~BackgroundEraser() override; // waits for a worker that is still running

    erase::Outcome eraseFolder(const QString& path) override;

    bool busy() const { return m_busy; }
    // Entries removed by the erase in progress (or the last one).
    std::uint64_t removedSoFar() const;

signals:
    void workerFinished();

private:
    struct Job {
        erase::Progress progress;
        erase::Outcome outcome;
        std::atomic<bool> done{false};
    };
    LetThrough m_letThrough;
    std::shared_ptr<Job> m_job;
    std::thread m_worker;
    bool m_busy = false;
};

} // namespace zarvok::app
