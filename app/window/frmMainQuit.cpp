// Quitting: the window goes at once when nothing runs. During a run the user is asked first,
// and a run stopped by quitting ends cleanly and leaves its record in a file.
#include "frmMain.h"

#include "AdminEraser.h"
#include "RunRecord.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtDebug>

namespace zarvok::app {
namespace {

// A stop ends a run within a tenth of a second; a file system that hangs is not waited for longer.
constexpr int kLongestStopMs = 3000;

} // namespace

void frmMain::closeEvent(QCloseEvent* event)
{
    const bool running = m_loop.running() || m_admin->running();
    if (running && m_quitting == Quitting::No) {
        event->ignore();
        askToQuitDuringRun();
        return;
    }
    if (m_loop.running() && m_quitting == Quitting::WhenStopped) {
        event->ignore(); // the window goes once the stopped run has ended
        return;
    }
    Unload();
    event->accept();
}

void frmMain::askToQuitDuringRun()
{
    if (m_quitQuestion) {
        m_quitQuestion->activateWindow();
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, kWindowTitle, QStringLiteral("Stop erasing and quit?"),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setDefaultButton(QMessageBox::No); // a stray Enter on Exit must not end a run
    box->setAttribute(Qt::WA_DeleteOnClose);
    m_quitQuestion = box;
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            quitOnceStopped();
    });
    box->open();
}

void frmMain::quitOnceStopped()
{
    if (!m_loop.running()) { // it ended meanwhile, or only the administrator's run goes on
        m_quitting = Quitting::Now;
        close();
        return;
    }
    m_quitting = Quitting::WhenStopped;
    m_loop.stop();
    QTimer::singleShot(kLongestStopMs, this, [this] {
        if (m_quitting != Quitting::WhenStopped)
            return;
        recordQuitRun(); // what is known so far; the engine's worker is not waited for
        m_quitting = Quitting::Now;
        close();
    });
}

void frmMain::recordQuitRun()
{
    if (const QString error = writeRunRecord(m_results->all(), QDateTime::currentDateTime()); !error.isEmpty())
        qWarning().noquote() << "The record of the run could not be written to" << runRecordPath() << "-" << error;
}

} // namespace zarvok::app
