#pragma once
// The main window: the erase queue (the path list), the commands that fill and empty it, the
// hint line and the status line. The queue, the erase loop and the stored position live in
// their own modules; this class wires them to widgets.

#include "AdminEraser.h"
#include "DesktopBridge.h"
#include "EraseLoop.h"
#include "EraseProgress.h"
#include "EraseQueue.h"
#include "FolderEraser.h"
#include "FolderSurveys.h"
#include "RunEstimate.h"
#include "RunResults.h"
#include "WindowPlacement.h"
#include "forms/Accessible.h"
#include "picker/BrowseFolders.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QProgressBar;
class QLabel;
class QMenu;
class QMimeData;

namespace skin {
class SkinButton;
}

namespace zarvok::app {

inline const QString kHintAtStart = QStringLiteral("Paste New Folder from clipboard");
inline const QString kBrowsePrompt = QStringLiteral("Select a Folder to Erase");
inline const QString kWindowTitle = QStringLiteral("Zarvok");
inline const QString kStopHint = QStringLiteral("Stop erasing"); // Delete's hint during a run

// The desktop services the window uses; tests replace them. Empty members take the real ones.
struct WindowServices {
    std::unique_ptr<picker::FolderDialog> folderDialog; // the desktop's folder chooser
    std::unique_ptr<FolderEraser> eraser;               // the erase engine on a worker thread
    std::unique_ptr<FolderSurveyor> surveyor;           // the engine's survey, at idle priority
    std::unique_ptr<DesktopBridge> desktop;             // the taskbar; none by default
    std::unique_ptr<AdminEraser> adminEraser;           // zarvok-erase --admin through pkexec
    QString executableName;                             // names the settings key
};

class frmMain final : public QWidget, private EraseLoopView {
    Q_OBJECT
public:
    explicit frmMain(WindowServices services = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    EraseQueue& queue() { return *m_queue; }
    bool isErasing() const { return m_loop.running(); }
    const RunResults& results() const { return *m_results; }

public slots:
    void cmdQuit_Click();
    // Delete starts a run; during a run the same button (and Escape) stops it.
    void onDeleteClicked();
    void cmdCopy_Click();
    void cmdPaste_Click();
    void cmdBrowse_Click();
    // The drop handler of the path list.
    void cboPath_Drop(const QMimeData* dropped);
    // Folders from the command line or a later start: queued as if pasted, the window to the
    // front. During a run they queue behind it.
    void takeFoldersFromOutside(const QStringList& folders);
    // The results of this session's erases, in a window of their own.
    void showResults();
    // Erases folders the user may not empty as administrator (zarvok-erase --admin through
    // pkexec, a process of its own); the outcome is recorded and told. Not during a run.
    void eraseAsAdministrator(const QStringList& folders);
    // Adds "Erase as Administrator..." to a context menu when `folder` failed for want of
    // permission; false when it did not.
    bool addAdministratorAction(QMenu* menu, const QString& folder);

signals:
    // The About command; the program answers it with its About window.
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    void buildButtons();
    void buildLabels();
    void buildPathList();
    void connectHints();
    void buildResultsLink();
    QString hintFor(const skin::SkinButton* button) const;
    void onRunStarted();
    void onErasing(const QString& folder);
    void onSurveyed(const QString& folder, qint64 tookMs);
    void onRunEnded(const RunTally& tally);
    void showDeleteAs(bool stop);
    void refreshNote(const QString& folder);
    void showCurrentNote();
    void buildAdminRoute();
    void onAdminFinished(const AdminRun& run);
    void showCount();
    void buildProgressBar();
    void showRunProgress();
    void placeProgress(bool shown);
    void applyColours();
    void Load();
    void Unload();
    // Quitting during a run (frmMainQuit.cpp): asked first, then the run stopped and recorded.
    void askToQuitDuringRun();
    void quitOnceStopped();
    void recordQuitRun();
    void centreOnceTheFrameIsKnown();
    // The queue in the user's hands (frmMainQueue.cpp): every route that queues ends in
    // queueShown, which tells screen readers what changed.
    void queueShown(const QStringList& paths, const QString& shown, int announceAfterMs = 0);
    void buildQueueCommands();
    void showPathMenu(const QPoint& at);
    void reopenList(int row);
    void queueTyped();
    void takeOff(int row);
    void removeRow(int row);
    void clearList();
    skin::SkinButton* makeButton(const QString& name, const QRect& geometry);

    // EraseLoopView
    void showEntry(int row) override;
    void setStatus(const QString& text) override;
    void setBusy(bool busy) override;
    void setErasing(bool erasing) override;
    void warn(const QString& text, std::function<void()> closed) override;

    QString m_executableName;
    std::unique_ptr<FolderEraser> m_eraser;
    picker::BrowseFolders m_browse;
    EraseQueue* m_queue;
    RunResults* m_results;
    FolderSurveys* m_surveys;
    std::unique_ptr<DesktopBridge> m_desktop;
    std::unique_ptr<AdminEraser> m_admin;
    EraseLoop m_loop;
    bool m_runEstimated = false; // a folder of the run was erased before its survey ended
    static constexpr qint64 kNotifyAfterMs = 10000; // a run this long is told by the desktop too
    QTimer* m_runTick;
    EraseProgress* m_progress;
    bool m_busy = false;
    OpeningPosition m_opening;
    QPointer<QWidget> m_resultsView;
    QPointer<QWidget> m_quitQuestion;
    enum class Quitting { No, WhenStopped, Now } m_quitting = Quitting::No;

    QWidget* picToolBar = nullptr;
    QWidget* PicStatus = nullptr;
    skin::SkinButton* cmdQuit = nullptr;
    skin::SkinButton* cmdDelete = nullptr;
    skin::SkinButton* cmdCopy = nullptr;
    skin::SkinButton* cmdPaste = nullptr;
    skin::SkinButton* cmdAbout = nullptr;
    skin::SkinButton* cmdBrowse = nullptr;
    forms::Label* lblHeader = nullptr;
    forms::Label* lblTitle = nullptr;
    forms::Label* lblDisplay = nullptr;
    forms::Label* lblPro = nullptr;
    QLabel* lblResults = nullptr; // opens the results view
    QProgressBar* barProgress = nullptr; // shown during a run
    class Announcer* m_announcer = nullptr; // the run's start and end, to screen readers
    QComboBox* cboPath = nullptr;
};

} // namespace zarvok::app
