#include "EraseLoop.h"

#include <QDir>
#include <QFile>
#include <QScopedValueRollback>

namespace zarvok::app {

QString notExistMessage(const QString& path)
{
    return QStringLiteral("Directory... ") + path + QStringLiteral("... not exist");
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
    DelAll(path);
    m_view.letEventsRun();
    m_queue.removeFirst();
    m_view.setStatus(kStatusDone);
    m_view.setBusy(false);
}

void EraseLoop::DelAll(const QString& path)
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
        return;
    }
    m_view.setBusy(false);
    m_view.letEventsRun();
    if (outcome.status == erase::Status::NoFolder)
        m_view.warn(notExistMessage(path));
    else
        m_view.warn(notErasedMessage(path, failureReason(outcome, path)));
}

} // namespace zarvok::app
