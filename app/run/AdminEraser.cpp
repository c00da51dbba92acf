#include "AdminEraser.h"

#include "Report.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

namespace zarvok::app {
namespace {

constexpr int kNotGranted = 3; // zarvok-erase: administrator rights were not granted
constexpr int kStopped = 4;    // zarvok-erase: stopped; its lines tell what became of each folder

QString fromTool(const std::string& text)
{
    return QString::fromUtf8(QByteArray::fromStdString(text));
}

FolderResult resultFor(const QString& folder, FolderResult::Kind kind, const QString& reason = {})
{
    FolderResult result;
    result.folder = folder;
    result.kind = kind;
    result.reason = reason;
    result.asAdministrator = true;
    return result;
}

// The rest of the line zarvok-erase wrote about `folder` ("no folder at this path", "refused:
// ..."), or empty when it wrote none.
QString lineAbout(const QString& folder, const QStringList& lines)
{
    const QString head = fromTool("zarvok-erase: " + zarvok::tool::escaped(QFile::encodeName(folder).toStdString()) + ": ");
    for (const QString& line : lines)
        if (line.startsWith(head))
            return line.mid(head.size());
    return {};
}

FolderResult resultFromLine(const QString& folder, const QString& said)
{
    using Kind = FolderResult::Kind;
    if (said.startsWith(QStringLiteral("refused: ")))
        return resultFor(folder, Kind::Refused, said.mid(9).section(QStringLiteral("; nothing was erased"), 0, 0));
    if (said == QStringLiteral("no folder at this path"))
        return resultFor(folder, Kind::Missing, said);
    if (said.startsWith(QStringLiteral("is a ")))
        return resultFor(folder, Kind::NotAFolder, said.mid(3));
    return resultFor(folder, Kind::NotErased, said.section(QStringLiteral("could not be fully erased: "), -1));
}

} // namespace

bool mayEraseAsAdministrator(const FolderResult& result)
{
    return result.kind == FolderResult::Kind::NotErased && (result.error == EACCES || result.error == EPERM);
}

AdminRun adminRunOf(const QStringList& folders, int exitStatus, bool ended, const QByteArray& errorOutput)
{
    AdminRun run;
    const QStringList lines = QString::fromUtf8(errorOutput).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString grantHead = QStringLiteral("zarvok-erase: administrator rights were not granted: ");
    if (!ended || exitStatus == kNotGranted || exitStatus > kStopped) {
        run.granted = false;
        QString why;
        for (const QString& line : lines)
            if (line.startsWith(grantHead))
                why = line.mid(grantHead.size()).section(QStringLiteral("; nothing was erased"), 0, 0);
        if (!ended)
            why = QStringLiteral("zarvok-erase could not be started");
        else if (why.isEmpty())
            why = lines.isEmpty() ? QStringLiteral("zarvok-erase ended without saying why") : lines.last();
        run.message = QStringLiteral("Nothing was erased: administrator rights were not granted (") + why + QStringLiteral(").");
        return run;
    }
    // A folder without a line is erased only when zarvok-erase told of the others, or of none
    // because all went: a failure it said nothing about leaves nothing known to be gone.
    bool toldOfFolders = exitStatus == 0;
    for (const QString& folder : folders)
        toldOfFolders = toldOfFolders || !lineAbout(folder, lines).isEmpty();
    QStringList notErased;
    for (const QString& folder : folders) {
        const QString said = lineAbout(folder, lines);
        if (said.isEmpty() && exitStatus != 2 && toldOfFolders) {
            run.results << resultFor(folder, FolderResult::Kind::Erased);
            continue;
        }
        const FolderResult result = said.isEmpty() ? resultFor(folder, FolderResult::Kind::NotErased, lines.value(0))
                                                   : resultFromLine(folder, said);
        run.results << result;
        notErased << folder + QStringLiteral(": ") + outcomeText(result) + QStringLiteral(" (") + result.reason + QLatin1Char(')');
    }
    if (!notErased.isEmpty())
        run.message = QStringLiteral("Erasing as administrator did not erase everything:\n") + notErased.join(QLatin1Char('\n'));
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
    QStringList args{QStringLiteral("--admin"), QStringLiteral("--")};
    args << folders;
    const auto done = [this, folders](bool ended) {
        QProcess* process = m_process;
        if (!process)
            return;
        m_process = nullptr;
        const bool normal = ended && process->exitStatus() == QProcess::NormalExit;
        const AdminRun run = adminRunOf(folders, normal ? process->exitCode() : -1, normal, process->readAllStandardError());
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
