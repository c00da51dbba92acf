// The window's side of an erase run: Delete as Stop, the progress bar and title, what each
// queued folder holds or became, the results view, and what the desktop and screen readers
// are told.
#include "frmMain.h"

#include "Announcer.h"
#include "CommandHints.h"
#include "KeyTaker.h"
#include "Layout.h"
#include "ResultsView.h"
#include "WindowPlacement.h"
#include "forms/Accessible.h"
#include "forms/Fonts.h"
#include "skinbutton/core/SkinButton.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

namespace zarvok::app {
namespace {

const QString kDeleteCaption = QStringLiteral("&Delete");
const QString kStopCaption = QStringLiteral("&Stop");

// A box's text with every run of more than kLongWord characters without a blank (a path of
// thousands of characters) shortened in its middle, so that the box fits on the screen.
QString withLongWordsShortened(const QString& text)
{
    constexpr qsizetype kLongWord = 200, kKept = 80;
    static const QRegularExpression word(QStringLiteral("\\S{%1,}").arg(kLongWord + 1));
    QString shown = text;
    QRegularExpressionMatch match;
    qsizetype from = 0;
    while ((match = word.match(shown, from)).hasMatch()) {
        const QString whole = match.captured();
        const QString shortened = whole.left(kKept) + QStringLiteral("\u2026") + whole.right(kKept);
        shown.replace(match.capturedStart(), whole.size(), shortened);
        from = match.capturedStart() + shortened.size();
    }
    return shown;
}

} // namespace

void frmMain::buildResultsLink()
{
    lblResults = new forms::Label(PicStatus);
    lblResults->setObjectName(QStringLiteral("lblResults"));
    lblResults->setText(QStringLiteral("<a href=\"results\">Results</a>"));
    lblResults->setTextFormat(Qt::RichText);
    lblResults->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblResults->setFocusPolicy(Qt::TabFocus);
    lblResults->setAccessibleName(QStringLiteral("Results"));
    lblResults->setAccessibleDescription(QStringLiteral("Show what became of each erased folder"));
    lblResults->setToolTip(QStringLiteral("Show what became of each erased folder"));
    lblResults->setFont(forms::fonts::hint());
    lblResults->adjustSize();
    lblResults->move(PicStatus->width() - lblResults->width() - 4, (PicStatus->height() - lblResults->height()) / 2);
    lblResults->hide(); // until there are results
    connect(lblResults, &QLabel::linkActivated, this, &frmMain::showResults);
    // A label's link takes focus only at a second Tab; this one opens at its first stop, and is
    // heard as the link it looks like.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        new KeyTaker(lblResults, key, [this] {
            showResults();
            return true;
        });
    forms::setAccessibleRole(lblResults, QAccessible::Link);
}

void frmMain::onDeleteClicked()
{
    if (m_loop.running())
        m_loop.stop();
    else
        m_loop.start();
}

void frmMain::onRunStarted()
{
    showDeleteAs(true);
    m_runEstimated = false;
    m_surveys->setRunAhead(true); // the run's extent comes from the surveys
    m_announcer->announce(kStatusWorking);
    placeProgress(true);
    showRunProgress();
    m_runTick->start();
}

void frmMain::onErasing(const QString& folder)
{
    // Erased before its survey ended: the count may miss what the erase removed first.
    if (const QList<FolderExtent> extent = extentsOf({folder}, *m_surveys); !extent.first().counted)
        m_runEstimated = true;
    m_surveys->hurry(folder);
    refreshNote(folder);
    showCount();
}

// A survey the user may have waited for is told when it ends; one that ends at once is heard
// in the queued entry's description. Surveys that keep ahead of a run are the run's own.
void frmMain::onSurveyed(const QString& folder, qint64 tookMs)
{
    constexpr qint64 kWaitedForMs = 500;
    const FolderContents* contents = m_surveys->find(folder);
    if (tookMs < kWaitedForMs || m_loop.running() || contents == nullptr)
        return;
    m_announcer->announce(folder + QStringLiteral(": ") + contentsNote(*contents).replace(QLatin1Char('\n'), QStringLiteral(". ")));
}

void frmMain::onRunEnded(const RunTally& tally)
{
    const QString summary = runSummary(tally);
    m_announcer->announce(runAnnouncement(tally));
    if (!isActiveWindow() || tally.elapsedMs > kNotifyAfterMs)
        m_desktop->notify(kWindowTitle, summary, [window = QPointer<frmMain>(this)] {
            if (window) {
                window->showNormal();
                window->raise();
                window->activateWindow();
            }
        });
    m_runTick->stop();
    m_surveys->setRunAhead(false);
    placeProgress(false);
    setWindowTitle(kWindowTitle);
    m_desktop->showProgress(std::nullopt);
    showDeleteAs(false);
    m_surveys->follow(m_queue->entries()); // a stopped folder is not what it was
    if (m_quitting == Quitting::WhenStopped) {
        recordQuitRun();
        m_quitting = Quitting::Now;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void frmMain::buildProgressBar()
{
    barProgress = new QProgressBar(PicStatus);
    barProgress->setObjectName(QStringLiteral("barProgress"));
    barProgress->setAccessibleName(QStringLiteral("Erasing"));
    barProgress->setFont(forms::fonts::hint());
    barProgress->setTextVisible(true);
    barProgress->hide();
}

// During a run the status line makes room for the bar at its right end, where the Results link
// of a past run stands: the line has no room for the count beside both, so the link waits for
// the run's end.
void frmMain::placeProgress(bool shown)
{
    const QRect line = layout::toPixels(layout::lblPro);
    constexpr int kBarWidth = 120, kGap = 4;
    barProgress->setGeometry(line.right() - kBarWidth, 2, kBarWidth, PicStatus->height() - 4);
    lblPro->setGeometry(shown ? line.adjusted(0, 0, -(kBarWidth + kGap), 0) : line);
    barProgress->setVisible(shown);
    lblResults->setVisible(!shown && !m_results->all().isEmpty());
}

void frmMain::showRunProgress()
{
    const std::uint64_t removed = m_loop.removedSoFar();
    const QStringList left = m_queue->entries().mid(0, m_loop.passesWaiting() + 1);
    const RunEstimate estimate = estimateRun(extentsOf(left, *m_surveys), removed, removed - m_loop.tally().removed, m_runEstimated);
    const std::optional<int> percent = estimate.percent(removed);
    if (!percent) {
        barProgress->setRange(0, 0); // busy: how much is left is unknown
        setWindowTitle(kWindowTitle);
        m_desktop->showProgress(std::nullopt);
        return;
    }
    barProgress->setRange(0, 100);
    barProgress->setValue(*percent);
    const QString shown = estimate.percentText(removed);
    const QString timeLeft = estimate.timeLeft(removed, m_loop.elapsedMs());
    barProgress->setFormat(timeLeft.isEmpty() ? shown : shown + QStringLiteral(" - ") + timeLeft);
    setWindowTitle(shown + QStringLiteral(" - ") + kWindowTitle);
    m_desktop->showProgress(*percent / 100.0);
}

void frmMain::showDeleteAs(bool stop)
{
    const QString startHint = hintOf(cmdDelete->objectName());
    cmdDelete->setCaption(stop ? kStopCaption : kDeleteCaption);
    cmdDelete->setAccessibleDescription(stop ? kStopHint : startHint);
    // The pointer is still on the button that was just clicked: its hint follows the caption.
    if (lblDisplay->text() == (stop ? startHint : kStopHint))
        lblDisplay->setText(stop ? kStopHint : startHint);
}

void frmMain::refreshNote(const QString& folder)
{
    QStringList parts;
    if (const FolderResult* result = m_results->find(folder))
        parts << resultNote(*result);
    const FolderContents* contents = m_surveys->find(folder);
    if (contents && !m_loop.takenByRun(m_queue->rowOf(folder)))
        parts << contentsNote(*contents);
    m_queue->setNote(folder, parts.join(QLatin1Char('\n')));
    showCurrentNote();
}

// "Folder to Delete (drag and drop): 3 in list: 120,431 items, 1.2 GB" once something is known.
void frmMain::showCount()
{
    std::uint64_t entries = 0, bytes = 0;
    bool counting = false, anyKnown = false, sized = true;
    const QStringList queued = m_queue->entries();
    for (int row = 0; row < queued.size(); ++row) {
        // What the run is erasing is going: a count beside the erase tells the run, not the list.
        if (m_loop.takenByRun(row))
            continue;
        if (const FolderContents* contents = m_surveys->find(queued.at(row))) {
            anyKnown = true;
            entries += contents->survey.entries;
            bytes += contents->survey.bytes;
            counting = counting || contents->counting;
            sized = sized && contents->survey.sized;
        }
    }
    QString text = countText(m_queue->count());
    // A survey that has only just begun says nothing yet.
    if (anyKnown && (entries > 0 || !counting))
        text += QStringLiteral(": ") + contentsText(entries, sized ? std::optional(bytes) : std::nullopt, counting);
    forms::setAnnouncedText(lblTitle, text);
    lblTitle->adjustSize();
}

void frmMain::showCurrentNote()
{
    cboPath->setToolTip(m_queue->note(cboPath->currentText()));
}

void frmMain::showResults()
{
    if (!m_resultsView) {
        auto* view = new ResultsView(*m_results, this);
        connect(view, &ResultsView::eraseAsAdministratorRequested, this, &frmMain::eraseAsAdministrator);
        view->allowAdministrator(!m_loop.running() && !m_admin->running());
        m_resultsView = view;
        const QScreen* screen = this->screen();
        if (const std::optional<QPoint> at = besideWindow(frameGeometry(), view->frameGeometry().size(), screen->availableGeometry()))
            view->move(*at);
    }
    m_resultsView->show();
    m_resultsView->raise();
    m_resultsView->activateWindow();
}

void frmMain::showEntry(int row)
{
    cboPath->setCurrentIndex(row);
    cboPath->setEditText(m_queue->entry(row));
}

void frmMain::setStatus(const QString& text)
{
    forms::setAnnouncedText(lblPro, text);
}

void frmMain::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void frmMain::setErasing(bool erasing)
{
    if (erasing)
        m_progress->start();
    else
        m_progress->stop();
}

void frmMain::warn(const QString& text, std::function<void()> closed)
{
    const QString shown = withLongWordsShortened(text);
    auto* box = new QMessageBox(QMessageBox::Warning, kWindowTitle, shown, QMessageBox::Ok, this);
    if (shown != text)
        box->setDetailedText(text); // the whole of it, to read or copy
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [closed = std::move(closed)] { closed(); });
    box->open();
}

} // namespace zarvok::app
