#pragma once
// The Delete command: erases every queued folder, top entry first, one pass per entry queued
// when it starts. The window lets events run at fixed points between the steps, so entries
// added meanwhile are queued below and wait for the next run.
//
// One pass:
//   show entry 0 in the path field; let events run;
//   DelAll(entry 0's text);                 -- the queued text, whatever the field holds now
//   let events run; take entry 0 off the queue (one that could not be fully erased goes to the
//   end, so that the next Delete retries it); status: the run so far; arrow pointer.
// The status line ends on "Erasing Done" only when no folder of the run was left standing,
// else on how many were; either way followed by what was removed and how long it took.
// DelAll(path):
//   let events run; hourglass; status "Working Erasing all, Wait..."; let events run;
//   erase the tree (the status line shows progress when it takes long); then
//     erased   -> let events run
//     no folder-> arrow pointer; let events run; warning "Directory... <path>... not exist"
//                 (or "... is a file, not a folder" / "... is a symbolic link, not a folder")
//     refused  -> arrow pointer; let events run; warning "... was refused, nothing was erased: <why>"
//     failed   -> arrow pointer; let events run; warning "... could not be fully erased: <reason>"
//                 (+ " (at <entry>)" when the entry that stayed is not the folder itself)

#include "EraseQueue.h"
#include "FolderEraser.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdint>

namespace zarvok::app {

inline const QString kStatusReady = QStringLiteral("Ready");
inline const QString kStatusWorking = QStringLiteral("Working Erasing all, Wait...");
inline const QString kStatusDone = QStringLiteral("Erasing Done");

QString notExistMessage(const QString& path);
// For a path where something other than a folder stands.
QString notAFolderMessage(const QString& path, erase::Found found);
QString refusedMessage(const QString& path, const QString& reason);
QString notErasedMessage(const QString& path, const QString& reason);
// The engine's reason, naming the entry that stayed when it lies inside the queued folder.
QString failureReason(const erase::Outcome& outcome, const QString& path);

// What a run has done so far.
struct RunTally {
    int notErased = 0;         // not fully erased, refused, or a file or link, not a folder
    std::uint64_t removed = 0; // entries removed
    qint64 elapsedMs = 0;
};
// "Erasing Done: 272,450 removed in 3.4 s" or "2 folders not erased: 12 removed in 0.1 s".
QString runSummary(const RunTally& tally);

// What the loop needs from the window.
class EraseLoopView {
public:
    virtual ~EraseLoopView() = default;
    virtual void showEntry(int row) = 0;
    virtual void setStatus(const QString& text) = 0;
    virtual void setBusy(bool busy) = 0;
    // True while the engine erases a tree (the window shows its progress).
    virtual void setErasing(bool erasing) = 0;
    virtual void letEventsRun() = 0;
    virtual void warn(const QString& text) = 0;
};

class EraseLoop {
public:
    EraseLoop(EraseQueue& queue, EraseLoopView& view, FolderEraser& eraser);

    // Runs the loop; a call made while a run is in progress (from an event point) is ignored.
    void run();
    bool running() const { return m_running; }

private:
    enum class Result { Erased, Missing, LeftStanding, KeptForRetry };
    void erasePass();
    Result DelAll(const QString& path);

    EraseQueue& m_queue;
    EraseLoopView& m_view;
    FolderEraser& m_eraser;
    bool m_running = false;
    RunTally m_tally;
    QElapsedTimer m_clock;
};

} // namespace zarvok::app
