// The window's side of erasing as administrator: the action on a failed folder (results view,
// the open path list's context menu), and the outcome of zarvok-erase --admin, told on the
// status line, in the results and, when not everything went, in a warning.
#include "frmMain.h"

#include "Announcer.h"
#include "ResultsView.h"
#include "forms/Accessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>

namespace zarvok::app {

void frmMain::buildAdminRoute()
{
    connect(m_admin.get(), &AdminEraser::finished, this, &frmMain::onAdminFinished);
    // The open path list: a right click on a folder that failed for want of permission.
    QAbstractItemView* list = cboPath->view();
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        const QModelIndex index = list->indexAt(at);
        if (!index.isValid())
            return;
        auto* menu = new QMenu(list);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (addAdministratorAction(menu, m_queue->entry(index.row())))
            forms::popUpMenu(menu, list->viewport()->mapToGlobal(at));
        else
            delete menu;
    });
    connect(&m_loop, &EraseLoop::started, this, [this] {
        if (auto* view = qobject_cast<ResultsView*>(m_resultsView.data()))
            view->allowAdministrator(false);
    });
    connect(&m_loop, &EraseLoop::ended, this, [this] {
        if (auto* view = qobject_cast<ResultsView*>(m_resultsView.data()))
            view->allowAdministrator(!m_admin->running());
    });
}

bool frmMain::addAdministratorAction(QMenu* menu, const QString& folder)
{
    const FolderResult* result = m_results->find(folder);
    if (!result || !mayEraseAsAdministrator(*result))
        return false;
    QAction* action = menu->addAction(QStringLiteral("Erase as &Administrator..."));
    action->setObjectName(QStringLiteral("eraseAsAdministrator"));
    action->setEnabled(!m_loop.running() && !m_admin->running());
    connect(action, &QAction::triggered, this, [this, folder] { eraseAsAdministrator({folder}); });
    return true;
}

void frmMain::eraseAsAdministrator(const QStringList& folders)
{
    if (folders.isEmpty() || m_loop.running() || m_admin->running())
        return;
    if (auto* view = qobject_cast<ResultsView*>(m_resultsView.data()))
        view->allowAdministrator(false);
    setStatus(folders.size() == 1 ? QStringLiteral("Erasing as administrator, asking for the password...")
                                  : QStringLiteral("Erasing %1 folders as administrator, asking for the password...").arg(folders.size()));
    m_admin->start(folders);
}

void frmMain::onAdminFinished(const AdminRun& run)
{
    if (auto* view = qobject_cast<ResultsView*>(m_resultsView.data()))
        view->allowAdministrator(!m_loop.running());
    int erased = 0;
    for (const FolderResult& result : run.results) {
        m_results->record(result);
        if (result.kind != FolderResult::Kind::Erased)
            continue;
        ++erased;
        // gone now, so no longer queued
        if (const int row = m_queue->rowOf(result.folder); row >= 0 && !m_loop.takenByRun(row))
            removeRow(row);
    }
    QString outcome;
    if (!run.granted)
        outcome = QStringLiteral("Not erased: administrator rights were not granted");
    else if (erased == run.results.size())
        outcome = erased == 1 ? QStringLiteral("Erased as administrator") : QStringLiteral("%1 folders erased as administrator").arg(erased);
    else
        outcome = QStringLiteral("%1 of %2 folders erased as administrator").arg(erased).arg(run.results.size());
    setStatus(outcome);
    m_announcer->announce(outcome); // the box that may follow says why; this says what
    if (!run.message.isEmpty())
        warn(run.message, [] {});
}

} // namespace zarvok::app
