#include "DropPaths.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zarvok::app {

QStringList droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
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
