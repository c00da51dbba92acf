#include "InstanceMessage.h"

#include "PastedText.h"

#include <QUrl>

namespace zarvok::app {

QByteArray encodeFolders(const QStringList& folders)
{
    QByteArray message;
    for (const QString& folder : folders)
        message += QUrl::fromLocalFile(folder).toEncoded() + '\n';
    return message;
}

QStringList decodeFolders(const QByteArray& message)
{
    if (message.size() > kMaxMessageBytes)
        return {};
    return pastedPaths(QString::fromUtf8(message));
}

} // namespace zarvok::app
