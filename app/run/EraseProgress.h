#pragma once
// Shows that a long erase moves: once a folder has been erased for more than a second, the
// status line reads "Working Erasing all, Wait... 123,456 removed", refreshed a few times a
// second from the engine's running count.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace zarvok::app {

// "Working Erasing all, Wait... 123,456 removed".
QString progressText(std::uint64_t removed);

class EraseProgress final : public QObject {
    Q_OBJECT
public:
    using Count = std::function<std::uint64_t()>;
    using Show = std::function<void(const QString&)>;

    EraseProgress(Count count, Show show, QObject* parent = nullptr);

    void start();
    void stop();

    static constexpr int kQuietMs = 1000;  // no count before this
    static constexpr int kRefreshMs = 250;

private:
    void tick();

    Count m_count;
    Show m_show;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

} // namespace zarvok::app
