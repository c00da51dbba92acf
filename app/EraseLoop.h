#pragma once
// The Delete command: erases every queued folder, top entry first, one pass per entry queued
// when it starts. The window lets events run at fixed points between the steps, so entries
// added meanwhile are queued below and wait for the next run.
//
// One pass:
//   show entry 0 in the path field; let events run;
//   DelAll(entry 0's text);                 -- the queued text, whatever the field holds now
//   let events run; remove entry 0; status "Erasing Done"; arrow pointer.
// DelAll(path):
//   let events run; hourglass; status "Working Erasing all, Wait..."; let events run;
//   erase the tree (the status line shows progress when it takes long); then
//     erased   -> let events run
//     no folder-> arrow pointer; let events run; warning "Directory... <path>... not exist"
//     failed   -> arrow pointer; let events run; warning "... could not be fully erased: <reason>"
//                 (+ " (at <entry>)" when the entry that stayed is not the folder itself)

#include "EraseQueue.h"
#include "FolderEraser.h"

#include <QString>

namespace zarvok::app {

inline const QString kStatusReady = QStringLiteral("Ready");
inline const QString kStatusWorking = QStringLiteral("Working Erasing all, Wait...");
inline const QString kStatusDone = QStringLiteral("Erasing Done");

QString notExistMessage(const QString& path);
QString notErasedMessage(const QString& path, const QString& reason);
// The engine's reason, naming the entry that stayed when it lies inside the queued folder.
QString failureReason(const erase::Outcome& outcome, const QString& path);

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
    void erasePass();
    void DelAll(const QString& path);

    EraseQueue& m_queue;
    EraseLoopView& m_view;
    FolderEraser& m_eraser;
    bool m_running = false;
};

} // namespace zarvok::app
