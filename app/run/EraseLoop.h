#pragma once
// The Delete command: erases every queued folder, top entry first, one pass per entry queued
// when it starts. Nothing in it waits: the engine erases on a worker, boxes open without
// blocking, and each step runs from the event that ends the one before. Entries added
// meanwhile are queued below and wait for the next run.
//
//   state     | event                                 | what happens                         | next
//   ----------+---------------------------------------+--------------------------------------+----------
//   Idle      | start(), queue not empty              | started(); the first pass begins     | Erasing
//   (pass)    |                                       | show entry 0; hourglass; status      | Erasing
//             |                                       | "Working Erasing all, Wait..."; the  |
//             |                                       | engine erases entry 0's queued text  |
//   Erasing   | engine: erased, or not fully erased   | result kept; the pass ends           | (pass)/Idle
//   Erasing   | engine: no folder, not a folder, or   | result kept; arrow; run clock        | Reporting
//             | refused                               | paused; warning box opened           |
//   Reporting | the box is closed                     | run clock resumes; the pass ends     | (pass)/Idle
//   Erasing   | stop()                                | the engine is told to stop           | Stopping
//   Reporting | stop()                                | noted; the run ends after the box    | Reporting
//   Stopping  | engine: stopped                       | entry stays at the front; status     | Idle
//             |                                       | "Stopped: ..."; ended()              |
//
// Entries can be taken off the queue meanwhile, but never entry 0 during a run: the pass in
// progress has taken it (takenByRun). A waiting entry of the run that is taken off is one pass
// less, so that entries queued during the run still wait for the next one.
// A pass ends: entry 0 off the queue (one not fully erased goes to the end, so that the next
// Delete retries it); status: the run so far; arrow. After the last pass, or a pass that
// ended with a stop pending, the run ends: ended().
// The status line ends on "Erasing Done" only when no folder of the run was left standing,
// else on how many were, or on "Stopped"; each followed by what was removed and how long it
// took, time spent waiting for the user not counted.

#include "EraseQueue.h"
#include "FolderEraser.h"
#include "RunResults.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace zarvok::app {

inline const QString kStatusReady = QStringLiteral("Ready");
inline const QString kStatusWorking = QStringLiteral("Working Erasing all, Wait...");
inline const QString kStatusDone = QStringLiteral("Erasing Done");

QString notExistMessage(const QString& path);
// For a path where something other than a folder stands.
QString notAFolderMessage(const QString& path, erase::Found found);
QString refusedMessage(const QString& path, const QString& reason);
// The engine's reason, naming the entry that stayed when it lies inside the queued folder.
QString failureReason(const erase::Outcome& outcome, const QString& path);

// What a run has done so far.
struct RunTally {
    int notErased = 0;         // not fully erased, refused, or a file or link, not a folder
    std::uint64_t removed = 0; // entries removed
    qint64 elapsedMs = 0;      // without time spent waiting for the user
    bool stopped = false;
    QStringList leftStanding;  // "PATH: reason" of each folder not fully erased (no box told of it)
};
// "Erasing Done: 272,450 removed in 3.4 s", "2 folders not erased: 12 removed in 0.1 s" or
// "Stopped: 45,120 removed in 2.1 s".
QString runSummary(const RunTally& tally);
// What a screen reader hears at the end: the summary, and which folders stayed and why.
QString runAnnouncement(const RunTally& tally);

// What the loop needs from the window.
class EraseLoopView {
public:
    virtual ~EraseLoopView() = default;
    virtual void showEntry(int row) = 0;
    virtual void setStatus(const QString& text) = 0;
    virtual void setBusy(bool busy) = 0;
    // True while the engine erases a tree (the window shows its progress).
    virtual void setErasing(bool erasing) = 0;
    // Opens a warning box and returns; `closed` runs once the user has closed it.
    virtual void warn(const QString& text, std::function<void()> closed) = 0;
};

// Time that stops while the user is asked something.
class RunClock {
public:
    void start();
    void pause();
    void resume();
    qint64 elapsedMs() const;

private:
    QElapsedTimer m_running;
    qint64 m_banked = 0;
    bool m_paused = false;
};

class EraseLoop final : public QObject {
    Q_OBJECT
public:
    EraseLoop(EraseQueue& queue, EraseLoopView& view, FolderEraser& eraser, RunResults& results, QObject* parent = nullptr);

    // Starts a run; ignored while one is in progress.
    void start();
    // Stops the run in progress after the entry being removed; the folder stays queued first.
    void stop();
    bool running() const { return m_state != State::Idle; }
    // Whether the queue's entry at `row` is the one the run is erasing (or reporting on).
    bool takenByRun(int row) const { return running() && row == 0; }
    const RunTally& tally() const { return m_tally; }
    // Entries of the run still to come after the one in progress (rows 1 to this).
    int passesWaiting() const { return running() ? m_passesLeft : 0; }
    // Entries this run has removed so far, the erase in progress included.
    std::uint64_t removedSoFar() const;
    qint64 elapsedMs() const { return m_clock.elapsedMs(); }

signals:
    void started();
    // A pass is about to erase this queued folder.
    void erasing(const QString& folder);
    void ended(const zarvok::app::RunTally& tally);

private:
    enum class State { Idle, Erasing, Reporting, Stopping };
    enum class PassEnd { Removed, KeptLast };

    void beginPass();
    void onEraseFinished(const erase::Outcome& outcome);
    void report(const QString& warning, PassEnd end);
    void endPass(PassEnd end);
    void endRun();
    void onRowsTakenOff(int first, int last);

    EraseQueue& m_queue;
    EraseLoopView& m_view;
    FolderEraser& m_eraser;
    RunResults& m_results;
    State m_state = State::Idle;
    bool m_stopPending = false;
    int m_passesLeft = 0;
    QString m_path; // the queued text of the pass in progress
    RunTally m_tally;
    RunClock m_clock;
    QElapsedTimer m_passClock;
};

} // namespace zarvok::app
