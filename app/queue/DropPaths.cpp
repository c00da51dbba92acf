#include "DropPaths.h"

#include "FileUrl.h"

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

} // namespace

QStringList droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr)
        return paths;
    for (const QUrl& url : fileUrls(*data)) {
        const QString path = localPathOfUrl(url);
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
