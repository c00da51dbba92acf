#include "RunRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zarvok::app {

QString runRecordPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/zarvok/last-run.txt");
}

QString writeRunRecord(const QList<FolderResult>& results, const QDateTime& when)
{
    const QString path = runRecordPath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return QStringLiteral("the folder %1 could not be made").arg(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    const QString text = QStringLiteral("Zarvok, run quit at ") + when.toString(Qt::ISODate) + QLatin1Char('\n') + resultsAsText(results);
    file.write(text.toUtf8());
    return file.commit() ? QString() : file.errorString();
}

} // namespace zarvok::app
