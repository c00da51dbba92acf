#include "DropPaths.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zarvok::app {

namespace {

// GNOME's file managers copy files as "copy" or "cut" and then one URL a line, often without
// the standard URL list beside it.
const QString kGnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

QList<QUrl> fileUrls(const QMimeData& data)
{
    if (data.hasUrls())
        return data.urls();
    QList<QUrl> urls;
    if (data.hasFormat(kGnomeCopiedFiles)) {
        QByteArray list = data.data(kGnomeCopiedFiles);
        while (list.endsWith('\0')) // pcmanfm ends the list as a C string
            list.chop(1);
        const QStringList lines = QString::fromUtf8(list).split(QLatin1Char('\n'));
        for (const QString& line : lines.mid(1))
            if (!line.trimmed().isEmpty())
                urls.append(QUrl(line.trimmed()));
    }
    return urls;
}

// The local path a file URL names, or "" when it names none on this computer.
QString localPath(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    QUrl local = url;
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        local.setHost(QString());
#ifndef Q_OS_WIN
    // "file://server/dir" is a folder of another computer; as "//server/dir" it would be read
    // here as "/server/dir". (On Windows it is the share \\server\dir.)
    if (!local.host().isEmpty())
        return {};
#endif
    const QString path = QDir::toNativeSeparators(local.toLocalFile());
    // A relative path would be taken from wherever the program runs, one beginning with ':' Qt
    // takes for a resource, and the system reads a path only up to a NUL: each would name
    // another folder.
    if (!QDir::isAbsolutePath(path) || path.startsWith(QLatin1Char(':')) || path.contains(QChar(u'\0')))
        return {};
    return path;
}

} // namespace

QStringList droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr)
        return paths;
    for (const QUrl& url : fileUrls(*data)) {
        const QString path = localPath(url);
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

bool acceptAsCopy(QDropEvent* event)
{
    if (droppedPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return false;
    }
    if (event->possibleActions().testFlag(Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    return true;
}

} // namespace zarvok::app
