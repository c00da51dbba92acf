// The queue in the user's hands: typed paths queued with Enter, folders taken off the list
// (the path field's context menu, the Delete key in the open list), the keyboard's commands,
// and what screen readers are told of each change to the queue.
#include "frmMain.h"

#include "Announcer.h"
#include "KeyTaker.h"
#include "PastedText.h"
#include "QueueCheck.h"
#include "forms/Accessible.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace zarvok::app {
namespace {

QString inList(int count)
{
    return QStringLiteral("%1 in list").arg(count);
}

QString queuedAnnouncement(int added, const QStringList& offered, const QString& lastQueued, int count)
{
    if (added == 0) {
        if (offered.size() == 1)
            return QStringLiteral("Already in the list: ") + offered.front();
        return QStringLiteral("Already in the list: %1 folders").arg(offered.size());
    }
    const QString what = added == 1 ? QStringLiteral("Queued: ") + lastQueued : QStringLiteral("Queued %1 folders").arg(added);
    return what + QStringLiteral(". ") + inList(count);
}

QString takenOffAnnouncement(const QString& folder, int count)
{
    return QStringLiteral("Taken off the list, not erased: ") + folder + QStringLiteral(". ") + inList(count);
}

QString clearedAnnouncement(bool runGoesOn, int count)
{
    return (runGoesOn ? QStringLiteral("List cleared but for the folder being erased, nothing else erased. ")
                      : QStringLiteral("List cleared, nothing erased. "))
           + inList(count);
}

QString stillErasingAnnouncement(const QString& folder)
{
    return QStringLiteral("Being erased, so it stays on the list: ") + folder;
}

} // namespace

void frmMain::buildQueueCommands()
{
    QLineEdit* field = cboPath->lineEdit();
    connect(field, &QLineEdit::returnPressed, this, &frmMain::queueTyped);
    field->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(field, &QWidget::customContextMenuRequested, this, &frmMain::showPathMenu);
    // The box holds the focus and would hand a keyboard's menu request to its field as the plain
    // edit menu; the Menu key and Shift+F10 open the field's own menu at the text cursor.
    cboPath->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cboPath, &QWidget::customContextMenuRequested, this,
            [this, field](const QPoint& at) { showPathMenu(field->mapFrom(cboPath, at)); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* menuKey = new QShortcut(keys, cboPath, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(menuKey, &QShortcut::activated, this,
                [this, field] { showPathMenu(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()); });
    }
    // In the open list, Delete takes the highlighted folder off, as address bars do.
    new KeyTaker(cboPath->view(), Qt::Key_Delete, [this] {
        const QModelIndex highlighted = cboPath->view()->currentIndex();
        if (highlighted.isValid()) {
            takeOff(highlighted.row());
            reopenList(highlighted.row());
        }
        return true;
    });

    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &frmMain::cmdQuit_Click);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &frmMain::aboutRequested);
}

// An open list keeps its old height when a row goes; opened again it fits what is left, with
// the row after the one taken off highlighted.
void frmMain::reopenList(int row)
{
    cboPath->hidePopup();
    if (cboPath->count() == 0)
        return;
    cboPath->showPopup();
    cboPath->view()->setCurrentIndex(cboPath->model()->index(std::min(row, cboPath->count() - 1), 0));
}

void frmMain::showPathMenu(const QPoint& at)
{
    QLineEdit* field = cboPath->lineEdit();
    QMenu* menu = field->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    const int shown = m_queue->rowOf(cboPath->currentText());
    QAction* remove = menu->addAction(QStringLiteral("Re&move from List"), this, [this, text = cboPath->currentText()] {
        takeOff(m_queue->rowOf(text));
    });
    remove->setObjectName(QStringLiteral("actRemoveFromList"));
    // Only a queued folder can be taken off, and not the one a run is erasing.
    remove->setEnabled(shown >= 0 && !m_loop.takenByRun(shown));
    QAction* clear = menu->addAction(QStringLiteral("Clear &List"), this, &frmMain::clearList);
    clear->setObjectName(QStringLiteral("actClearList"));
    clear->setEnabled(m_queue->count() > (m_loop.running() ? 1 : 0));
    addAdministratorAction(menu, cboPath->currentText());
    forms::popUpMenu(menu, field->mapToGlobal(at));
}

// Enter queues what the field holds as Paste queues clipboard text (one folder per line of
// several). A path where the run would find no folder to erase is told at once in the run's
// words, and stays in the field to be put right.
void frmMain::queueTyped()
{
    const QString typed = cboPath->currentText();
    const QStringList paths = pastedPaths(typed);
    if (paths.isEmpty())
        return;
    QStringList good, bad, warnings;
    for (const QString& path : paths) {
        const QString warning = notQueuedWarning(path);
        if (warning.isEmpty()) {
            good << path;
        } else {
            bad << path;
            warnings << warning;
        }
    }
    if (!good.isEmpty())
        queueShown(good, paths.size() > 1 ? good.back() : typed);
    if (bad.isEmpty())
        return;
    cboPath->setEditText(bad.join(QLatin1Char('\n')));
    warn(warnings.join(QLatin1Char('\n')), [] {});
}

void frmMain::takeOff(int row)
{
    if (row < 0 || row >= m_queue->count())
        return;
    const QString folder = m_queue->entry(row);
    if (m_loop.takenByRun(row)) {
        m_announcer->announce(stillErasingAnnouncement(folder));
        return;
    }
    removeRow(row);
    m_announcer->announce(takenOffAnnouncement(folder, m_queue->count()));
}

void frmMain::removeRow(int row)
{
    const QString folder = m_queue->entry(row);
    const QString shown = cboPath->currentText();
    m_queue->removeAt(row);
    // The field shows the next folder in place of the one taken off; whatever else it showed
    // (typed text too) stays, though the list box moves its current entry.
    if (shown == folder)
        cboPath->setEditText(m_queue->count() > 0 ? m_queue->entry(std::min(row, m_queue->count() - 1)) : QString());
    else
        cboPath->setEditText(shown);
}

void frmMain::clearList()
{
    const bool runGoesOn = m_loop.running();
    m_queue->removeFrom(runGoesOn ? 1 : 0);
    cboPath->setEditText(runGoesOn ? m_queue->entry(0) : QString());
    m_announcer->announce(clearedAnnouncement(runGoesOn, m_queue->count()));
}

void frmMain::queueShown(const QStringList& paths, const QString& shown, int announceAfterMs)
{
    const int before = m_queue->count();
    m_queue->addAll(paths);
    cboPath->setEditText(shown);
    if (paths.isEmpty())
        return;
    const int added = m_queue->count() - before;
    const QString told = queuedAnnouncement(added, paths, added > 0 ? m_queue->entries().back() : QString(), m_queue->count());
    if (announceAfterMs > 0)
        QTimer::singleShot(announceAfterMs, m_announcer, [announcer = m_announcer, told] { announcer->announce(told); });
    else
        m_announcer->announce(told);
}

} // namespace zarvok::app
