#include "AdminEraser.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cerrno>

namespace zarvok::app {
namespace {

FolderResult resultFor(const QString& folder, FolderResult::Kind kind, const QString& reason = {})
{
    FolderResult result;
    result.folder = folder;
    result.kind = kind;
    result.reason = reason;
    result.asAdministrator = true;
    return result;
}

// zarvok-erase --report=json's records, by path: the first one told of each.
QHash<QString, QJsonObject> recordsIn(const QByteArray& report)
{
    QHash<QString, QJsonObject> records;
    for (const QByteArray& line : report.split('\n')) {
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        const QString path = record.value(QStringLiteral("path")).toString();
        if (!path.isEmpty() && !records.contains(path))
            records.insert(path, record);
    }
    return records;
}

// The engine's outcome a record tells of, as the window's own erases report it.
erase::Outcome outcomeOf(const QJsonObject& record)
{
    const QString told = record.value(QStringLiteral("outcome")).toString();
    erase::Outcome outcome;
    const int error = record.value(QStringLiteral("errno")).toInt();
    outcome.error = std::error_code(error, std::system_category());
    outcome.reason = record.value(QStringLiteral("reason")).toString().toStdString();
    outcome.failedPath = QFile::encodeName(record.value(QStringLiteral("at")).toString()).toStdString();
    outcome.untouched = record.value(QStringLiteral("untouched")).toBool();
    if (told == QLatin1String("erased"))
        outcome.status = erase::Status::Erased;
    else if (told == QLatin1String("no-folder") || told == QLatin1String("not-a-folder")) {
        outcome.status = erase::Status::NoFolder;
        const QString found = record.value(QStringLiteral("found")).toString();
        outcome.found = found == QLatin1String("symbolic-link") ? erase::Found::SymbolicLink
                        : found == QLatin1String("file")        ? erase::Found::File
                                                                : erase::Found::Nothing;
    } else if (told == QLatin1String("refused"))
        outcome.status = erase::Status::Refused;
    else {
        outcome.status = erase::Status::Failed;
        if (told == QLatin1String("stopped") || told == QLatin1String("not-begun"))
            outcome.error = std::make_error_code(std::errc::operation_canceled);
    }
    return outcome;
}

FolderResult resultFromRecord(const QString& folder, const QJsonObject& record)
{
    const erase::Outcome outcome = outcomeOf(record);
    const auto removed = static_cast<std::uint64_t>(record.value(QStringLiteral("removed")).toDouble());
    const auto elapsedMs = static_cast<qint64>(record.value(QStringLiteral("seconds")).toDouble() * 1000);
    FolderResult result = resultOf(folder, outcome, removed, elapsedMs);
    result.asAdministrator = true;
    if (record.value(QStringLiteral("outcome")).toString() == QLatin1String("not-begun"))
        result.reason = QStringLiteral("stopped before it was begun; nothing was erased");
    return result;
}

bool notGranted(const QJsonObject& record)
{
    return record.value(QStringLiteral("outcome")).toString() == QLatin1String("not-granted");
}

// The last thing zarvok-erase or pkexec wrote, for an ending that told nothing per folder.
QString lastSaid(const QByteArray& errorOutput)
{
    const QStringList lines = QString::fromUtf8(errorOutput).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

} // namespace

bool mayEraseAsAdministrator(const FolderResult& result)
{
    return result.kind == FolderResult::Kind::NotErased && (result.error == EACCES || result.error == EPERM);
}

// Believes only what zarvok-erase reported of each folder: a folder it told nothing of was not
// erased as far as anyone knows, whatever the exit status.
AdminRun adminRunOf(const QStringList& folders, bool started, const QByteArray& report, const QByteArray& errorOutput)
{
    AdminRun run;
    const QHash<QString, QJsonObject> records = recordsIn(report);
    QString notGrantedWhy = started ? QString() : QStringLiteral("zarvok-erase could not be started");
    QStringList notErased;
    for (const QString& folder : folders) {
        const QJsonObject record = records.value(folder);
        if (!started || notGranted(record)) {
            if (started)
                notGrantedWhy = record.value(QStringLiteral("reason")).toString();
            continue;
        }
        const FolderResult result = record.isEmpty()
                                        ? resultFor(folder, FolderResult::Kind::NotErased,
                                                    QStringLiteral("zarvok-erase ended without telling what became of it")
                                                        + (lastSaid(errorOutput).isEmpty() ? QString() : QStringLiteral(": ") + lastSaid(errorOutput)))
                                        : resultFromRecord(folder, record);
        run.results << result;
        if (result.kind != FolderResult::Kind::Erased)
            notErased << folder + QStringLiteral(": ") + outcomeText(result) + QStringLiteral(" (") + result.reason + QLatin1Char(')');
    }
    if (run.results.isEmpty() && !notGrantedWhy.isEmpty()) {
        run.granted = false;
        run.message = QStringLiteral("Nothing was erased: administrator rights were not granted (") + notGrantedWhy + QStringLiteral(").");
    } else if (!notErased.isEmpty()) {
        run.message = QStringLiteral("Erasing as administrator did not erase everything:\n") + notErased.join(QLatin1Char('\n'));
    }
    return run;
}

QString zarvokEraseProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/zarvok-erase");
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString installed = QStringLiteral(ZARVOK_ERASE_INSTALLED);
    if (QFileInfo(installed).isExecutable())
        return installed;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("zarvok-erase"));
    return onPath.isEmpty() ? installed : onPath;
}

ProcessAdminEraser::ProcessAdminEraser(QString program, QObject* parent)
    : AdminEraser(parent)
    , m_program(std::move(program))
{
}

// The window going stops the administrator's run: zarvok-erase stops it on SIGTERM (as it
// would on a kill, which leaves no time to).
ProcessAdminEraser::~ProcessAdminEraser()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    m_process->terminate();
    if (!m_process->waitForFinished(3000))
        m_process->kill();
}

void ProcessAdminEraser::start(const QStringList& folders)
{
    if (m_process || folders.isEmpty())
        return;
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->setStandardInputFile(QProcess::nullDevice()); // no terminal: polkit's agent asks
    QStringList args{QStringLiteral("--admin"), QStringLiteral("--report=json"), QStringLiteral("--")};
    args << folders;
    const auto done = [this, folders](bool ended) {
        QProcess* process = m_process;
        if (!process)
            return;
        m_process = nullptr;
        const AdminRun run = adminRunOf(folders, ended, process->readAllStandardOutput(), process->readAllStandardError());
        process->deleteLater();
        emit finished(run);
    };
    connect(m_process, &QProcess::finished, this, [done] { done(true); });
    connect(m_process, &QProcess::errorOccurred, this, [done](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            done(false);
    });
    m_process->start(m_program, args);
}

} // namespace zarvok::app
