#include "QtFolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace zarvok::picker {
namespace {

// The desktop's usual places stay; the tree's root and the file-system root are added.
QList<QUrl> sidebarPlaces(QList<QUrl> places, const QString& root)
{
    for (const QString& extra : {root, QDir::rootPath()}) {
        const QUrl url = QUrl::fromLocalFile(extra);
        if (!places.contains(url))
            places.append(url);
    }
    return places;
}

} // namespace

QString nearestExistingFolder(const QString& wanted)
{
    const QString path = QDir::fromNativeSeparators(wanted);
    if (QDir::isAbsolutePath(path)) {
        for (QString folder = QDir::cleanPath(path); !QDir(folder).isRoot();
             folder = QFileInfo(folder).path()) {
            if (QFileInfo(folder).isDir())
                return folder;
        }
    }
    return QDir::rootPath();
}

QString QtFolderDialog::choose(QWidget* owner, const FolderDialogRequest& request)
{
    QFileDialog dialog(owner, request.title);
    dialog.setFileMode(request.includeFiles ? QFileDialog::ExistingFile : QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, !request.includeFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);

    const QString root = request.root.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                             : request.root;
    dialog.setSidebarUrls(sidebarPlaces(dialog.sidebarUrls(), nearestExistingFolder(root)));
    dialog.setDirectory(nearestExistingFolder(request.selection.isEmpty() ? root : request.selection));

    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QList<QUrl> chosen = dialog.selectedUrls();
    // An item without a file-system path counts as nothing chosen.
    if (chosen.isEmpty() || !chosen.front().isLocalFile())
        return {};
    return QDir::toNativeSeparators(chosen.front().toLocalFile());
}

} // namespace zarvok::picker
