#include "InstanceMessage.h"

#include "PastedText.h"

#include <QUrl>

namespace zarvok::app {

namespace {

QByteArray fileUri(const QString& folder)
{
#ifndef Q_OS_WIN
    // QUrl::fromLocalFile takes a folder beginning "//" for another computer ("//srv/x" becomes
    // file://srv/x, "//" becomes file://); the path escaped after "file://" names it exactly.
    if (folder.startsWith(QLatin1Char('/')))
        return QByteArrayLiteral("file://") + QUrl::toPercentEncoding(folder, "/");
#endif
    return QUrl::fromLocalFile(folder).toEncoded();
}

} // namespace

QByteArray encodeFolders(const QStringList& folders)
{
    QByteArray message;
    for (const QString& folder : folders)
        message += fileUri(folder) + '\n';
    return message;
}

QStringList decodeFolders(const QByteArray& message)
{
    if (message.size() > kMaxMessageBytes)
        return {};
    return pastedPaths(QString::fromUtf8(message));
}

} // namespace zarvok::app
