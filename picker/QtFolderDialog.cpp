#include "QtFolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace zarvok::picker {

QString QtFolderDialog::choose(QWidget* owner, const FolderDialogRequest& request)
{
    QFileDialog dialog(owner, request.title);
    dialog.setFileMode(request.includeFiles ? QFileDialog::ExistingFile : QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, !request.includeFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);

    const QString root = request.root.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                             : request.root;
    QList<QUrl> places{QUrl::fromLocalFile(root)};
    if (root != QDir::rootPath())
        places.append(QUrl::fromLocalFile(QDir::rootPath()));
    dialog.setSidebarUrls(places);
    dialog.setDirectory(request.selection.isEmpty() ? root : request.selection);

    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QList<QUrl> chosen = dialog.selectedUrls();
    // An item without a file-system path counts as nothing chosen.
    if (chosen.isEmpty() || !chosen.front().isLocalFile())
        return {};
    return QDir::toNativeSeparators(chosen.front().toLocalFile());
}

} // namespace zarvok::picker
