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
        const QStringList lines = QString::fromUtf8(data.data(kGnomeCopiedFiles)).split(QLatin1Char('\n'));
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
        if (!url.isLocalFile())
            continue;
        const QString path = QDir::toNativeSeparators(url.toLocalFile());
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
