#include "EraseLoop.h"

#include <QLocale>

#include <algorithm>

namespace zarvok::app {

QString notExistMessage(const QString& path)
{
    return QStringLiteral("Directory... ") + path + QStringLiteral("... not exist");
}

QString notAFolderMessage(const QString& path, erase::Found found)
{
    const QString what = found == erase::Found::SymbolicLink ? QStringLiteral("a symbolic link") : QStringLiteral("a file");
    return QStringLiteral("Directory... ") + path + QStringLiteral("... is ") + what + QStringLiteral(", not a folder");
}

QString refusedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Directory... ") + path + QStringLiteral("... was refused, nothing was erased: ") + reason;
}

QString runSummary(const RunTally& tally)
{
    // Fixed English like every text of the window, whatever the desktop's language.
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    QString outcome = kStatusDone;
    if (tally.stopped)
        outcome = QStringLiteral("Stopped");
    else if (tally.notErased == 1)
        outcome = QStringLiteral("1 folder not erased");
    else if (tally.notErased > 1)
        outcome = QStringLiteral("%1 folders not erased").arg(tally.notErased);
    const double seconds = double(tally.elapsedMs) / 1000.0;
    const QString took = seconds < 100 ? english.toString(seconds, 'f', 1) : english.toString(qRound64(seconds));
    return outcome + QStringLiteral(": ") + english.toString(static_cast<qulonglong>(tally.removed))
           + QStringLiteral(" removed in ") + took + QStringLiteral(" s");
}

QString runAnnouncement(const RunTally& tally)
{
    constexpr qsizetype kToldFolders = 3; // the rest wait in Results
    QString text = runSummary(tally);
    for (const QString& left : tally.leftStanding.mid(0, kToldFolders))
        text += QStringLiteral(". Not erased: ") + left;
    if (tally.leftStanding.size() > kToldFolders)
        text += QStringLiteral(". %1 more in Results").arg(tally.leftStanding.size() - kToldFolders);
    return text;
}

QString failureReason(const erase::Outcome& outcome, const QString& path)
{
    const FolderResult result = resultOf(path, outcome, 0, 0);
    if (result.firstLeft.isEmpty())
        return result.reason;
    return result.reason + QStringLiteral(" (at ") + result.firstLeft + QLatin1Char(')');
}

void RunClock::start()
{
    m_banked = 0;
    m_paused = false;
    m_running.start();
}

void RunClock::pause()
{
    if (m_paused)
        return;
    m_banked += m_running.elapsed();
    m_paused = true;
}

void RunClock::resume()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_running.start();
}

qint64 RunClock::elapsedMs() const
{
    return m_banked + (m_paused ? 0 : m_running.elapsed());
}

EraseLoop::EraseLoop(EraseQueue& queue, EraseLoopView& view, FolderEraser& eraser, RunResults& results, QObject* parent)
    : QObject(parent)
    , m_queue(queue)
    , m_view(view)
    , m_eraser(eraser)
    , m_results(results)
{
    connect(&m_eraser, &FolderEraser::finished, this, &EraseLoop::onEraseFinished);
    connect(&m_queue, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { onRowsTakenOff(first, last); });
}

// The run's waiting entries are rows 1 to m_passesLeft (row 0 is the pass in progress, and
// whatever was queued during the run lies below them).
void EraseLoop::onRowsTakenOff(int first, int last)
{
    if (m_state == State::Idle)
        return;
    const int from = std::max(first, 1);
    const int to = std::min(last, m_passesLeft);
    if (to >= from)
        m_passesLeft -= to - from + 1;
}

void EraseLoop::start()
{
    if (m_state != State::Idle || m_queue.count() == 0)
        return;
    m_tally = {};
    m_stopPending = false;
    m_passesLeft = m_queue.count();
    m_clock.start();
    emit started();
    beginPass();
}

void EraseLoop::stop()
{
    switch (m_state) {
    case State::Erasing:
        m_state = State::Stopping;
        m_stopPending = true;
        m_eraser.stop();
        break;
    case State::Reporting:
        m_stopPending = true;
        break;
    case State::Idle:
    case State::Stopping:
        break;
    }
}

std::uint64_t EraseLoop::removedSoFar() const
{
    const bool engineAtWork = m_state == State::Erasing || m_state == State::Stopping;
    return m_tally.removed + (engineAtWork ? m_eraser.removedSoFar() : 0);
}

void EraseLoop::beginPass()
{
    --m_passesLeft;
    m_view.showEntry(0);
    // The queued text, not the path field: the user may type into the field meanwhile.
    m_path = m_queue.entry(0);
    emit erasing(m_path);
    m_view.setBusy(true);
    m_view.setStatus(kStatusWorking);
    m_view.setErasing(true);
    m_state = State::Erasing;
    m_passClock.start();
    m_eraser.start(m_path);
}

void EraseLoop::onEraseFinished(const erase::Outcome& outcome)
{
    if (m_state != State::Erasing && m_state != State::Stopping)
        return;
    m_view.setErasing(false);
    const std::uint64_t removed = m_eraser.removedSoFar();
    m_tally.removed += removed;
    const FolderResult result = resultOf(m_path, outcome, removed, m_passClock.elapsed());
    m_results.record(result);
    using Kind = FolderResult::Kind;
    switch (result.kind) {
    case Kind::Stopped:
        endRun();
        return;
    case Kind::Erased:
        endPass(PassEnd::Removed);
        return;
    case Kind::NotErased:
        ++m_tally.notErased;
        m_tally.leftStanding << m_path + QStringLiteral(": ") + failureReason(outcome, m_path);
        endPass(PassEnd::KeptLast);
        return;
    case Kind::Missing:
        report(notExistMessage(m_path), PassEnd::Removed);
        return;
    case Kind::NotAFolder:
        ++m_tally.notErased;
        report(notAFolderMessage(m_path, outcome.found), PassEnd::Removed);
        return;
    case Kind::Refused:
        ++m_tally.notErased;
        report(refusedMessage(m_path, failureReason(outcome, m_path)), PassEnd::Removed);
        return;
    }
}

void EraseLoop::report(const QString& warning, PassEnd end)
{
    m_view.setBusy(false);
    m_clock.pause();
    m_state = State::Reporting;
    m_view.warn(warning, [this, end] {
        m_clock.resume();
        endPass(end);
    });
}

void EraseLoop::endPass(PassEnd end)
{
    m_queue.removeFirst();
    if (end == PassEnd::KeptLast)
        m_queue.add(m_path);
    if (m_passesLeft > 0 && m_queue.count() > 0 && !m_stopPending) {
        m_tally.elapsedMs = m_clock.elapsedMs();
        m_view.setStatus(runSummary(m_tally));
        m_view.setBusy(false);
        beginPass();
        return;
    }
    endRun();
}

void EraseLoop::endRun()
{
    m_tally.stopped = m_stopPending;
    m_tally.elapsedMs = m_clock.elapsedMs();
    m_state = State::Idle;
    m_view.setStatus(runSummary(m_tally));
    m_view.setBusy(false);
    emit ended(m_tally);
}

} // namespace zarvok::app
