#pragma once
// Erasing as administrator: the window runs `zarvok-erase --admin -- FOLDER...` as a process of
// its own, which asks polkit through pkexec and erases as root under the administrator's rules.
// The window itself never runs as root, and never waits on it: the outcome comes as a signal.

#include "RunResults.h"

#include <QObject>
#include <QProcess>
#include <QStringList>

namespace zarvok::app {

// A folder the user could not fully erase because they may not remove its entries: the ones
// erasing as administrator is for.
bool mayEraseAsAdministrator(const FolderResult& result);

// What became of one administrator's run, per folder, from the records zarvok-erase
// --report=json wrote on standard output: its results, and a message for the user when not
// every folder was erased.
struct AdminRun {
    QList<FolderResult> results; // one per folder, marked asAdministrator
    bool granted = true;         // false: polkit did not grant it; nothing was touched
    QString message;             // empty when every folder was erased
};
// `started`: false when zarvok-erase could not be run at all; `errorOutput`: its messages.
AdminRun adminRunOf(const QStringList& folders, bool started, const QByteArray& report, const QByteArray& errorOutput);

class AdminEraser : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts one administrator's run over `folders`; finished() follows, never from inside this
    // call. Ignored while one runs.
    virtual void start(const QStringList& folders) = 0;
    virtual bool running() const = 0;

signals:
    void finished(const zarvok::app::AdminRun& run);
};

// zarvok-erase next to the window's own program (the build folder's, or the installed one).
QString zarvokEraseProgram();

class ProcessAdminEraser final : public AdminEraser {
    Q_OBJECT
public:
    explicit ProcessAdminEraser(QString program = zarvokEraseProgram(), QObject* parent = nullptr);
    ~ProcessAdminEraser() override;
    void start(const QStringList& folders) override;
    bool running() const override { return m_process != nullptr; }

private:
    QString m_program;
    QProcess* m_process = nullptr;
};

} // namespace zarvok::app

Q_DECLARE_METATYPE(zarvok::app::AdminRun)
