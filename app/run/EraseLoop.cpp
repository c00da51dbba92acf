#include "EraseLoop.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QScopedValueRollback>

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
    const QString outcome = tally.notErased == 0 ? kStatusDone
                            : tally.notErased == 1
                                ? QStringLiteral("1 folder not erased")
                                : QStringLiteral("%1 folders not erased").arg(tally.notErased);
    const double seconds = double(tally.elapsedMs) / 1000.0;
    const QString took = seconds < 100 ? english.toString(seconds, 'f', 1) : english.toString(qRound64(seconds));
    return outcome + QStringLiteral(": ") + english.toString(static_cast<qulonglong>(tally.removed))
           + QStringLiteral(" removed in ") + took + QStringLiteral(" s");
}

QString notErasedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Directory... ") + path + QStringLiteral("... could not be fully erased: ") + reason;
}

QString failureReason(const erase::Outcome& outcome, const QString& path)
{
    QString reason = QStringLiteral("unknown error");
    if (!outcome.reason.empty())
        reason = QString::fromStdString(outcome.reason);
    else if (outcome.error)
        reason = QString::fromStdString(outcome.error.message());
    const QString entry = QFile::decodeName(QByteArray::fromStdString(outcome.failedPath));
    if (!entry.isEmpty() && QDir::cleanPath(entry) != QDir::cleanPath(path))
        reason += QStringLiteral(" (at ") + entry + QLatin1Char(')');
    return reason;
}

EraseLoop::EraseLoop(EraseQueue& queue, EraseLoopView& view, FolderEraser& eraser)
    : m_queue(queue)
    , m_view(view)
    , m_eraser(eraser)
{
}

void EraseLoop::run()
{
    if (m_running)
        return;
    const QScopedValueRollback guard(m_running, true);
    m_tally = {};
    m_clock.start();
    const int passes = m_queue.count();
    for (int pass = 0; pass < passes && m_queue.count() > 0; ++pass)
        erasePass();
}

void EraseLoop::erasePass()
{
    m_view.showEntry(0);
    // The queued text, not the path field: the user may type into the field at any event point.
    const QString path = m_queue.entry(0);
    m_view.letEventsRun();
    const Result result = DelAll(path);
    m_tally.removed += m_eraser.removedSoFar();
    if (result == Result::LeftStanding || result == Result::KeptForRetry)
        ++m_tally.notErased;
    m_view.letEventsRun();
    m_queue.removeFirst();
    if (result == Result::KeptForRetry)
        m_queue.add(path);
    m_tally.elapsedMs = m_clock.elapsed();
    m_view.setStatus(runSummary(m_tally));
    m_view.setBusy(false);
}

EraseLoop::Result EraseLoop::DelAll(const QString& path)
{
    m_view.letEventsRun();
    m_view.setBusy(true);
    m_view.setStatus(kStatusWorking);
    m_view.letEventsRun();
    m_view.setErasing(true);
    const erase::Outcome outcome = m_eraser.eraseFolder(path);
    m_view.setErasing(false);
    if (outcome.status == erase::Status::Erased) {
        m_view.letEventsRun();
        return Result::Erased;
    }
    m_view.setBusy(false);
    m_view.letEventsRun();
    switch (outcome.status) {
    case erase::Status::NoFolder:
        if (outcome.found == erase::Found::Nothing) {
            m_view.warn(notExistMessage(path));
            return Result::Missing;
        }
        m_view.warn(notAFolderMessage(path, outcome.found));
        return Result::LeftStanding;
    case erase::Status::Refused:
        m_view.warn(refusedMessage(path, failureReason(outcome, path)));
        return Result::LeftStanding;
    default:
        m_view.warn(notErasedMessage(path, failureReason(outcome, path)));
        return Result::KeptForRetry;
    }
}

} // namespace zarvok::app
