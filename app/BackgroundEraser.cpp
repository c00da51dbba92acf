#include "BackgroundEraser.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QPointer>

#include <vector>

namespace zarvok::app {
namespace {

// Holds back the input that the desktop sends to the program's windows while it lives, and
// posts it, in order, when it ends. Everything else (painting, timers, a close request from the
// window frame) goes through at once.
class HeldInput final : public QObject {
public:
    explicit HeldInput(const BackgroundEraser::LetThrough& letThrough)
        : m_letThrough(letThrough)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~HeldInput() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [window, event] : m_held)
            if (window)
                QCoreApplication::postEvent(window, event.release());
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        // Leaving is held with the input so that it still follows the entry it belongs to.
        const bool input = event->isInputEvent() || event->type() == QEvent::Leave;
        if (!event->spontaneous() || !input || !receiver->isWindowType())
            return false;
        if (m_letThrough && m_letThrough(receiver, event))
            return false;
        m_held.emplace_back(QPointer<QObject>(receiver), std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

private:
    const BackgroundEraser::LetThrough& m_letThrough;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};

} // namespace

BackgroundEraser::BackgroundEraser(QObject* parent, LetThrough letThrough)
    : QObject(parent)
    , m_letThrough(std::move(letThrough))
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
        const HeldInput held(m_letThrough);
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
