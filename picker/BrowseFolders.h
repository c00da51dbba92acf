#pragma once
// Asks the user for a folder: a root where the tree starts and a folder selected on opening,
// each given as a path or as a special folder number.

#include "FolderDialog.h"

#include <QString>

#include <memory>
#include <variant>

class QWidget;

namespace zarvok::picker {

// No folder, a path, or a special folder number. Text that reads as a number is a number.
using FolderArg = std::variant<std::monostate, QString, int>;

// Removes one trailing separator, but never turns a lone separator into nothing.
QString withoutTrailingSeparator(const QString& path);

class BrowseFolders {
public:
    explicit BrowseFolders(std::unique_ptr<FolderDialog> dialog);

    // The chosen folder's path, or empty text when the dialog was cancelled.
    QString BrowseForFolder(QWidget* owner, const QString& prompt, const FolderArg& startFolder,
                            const FolderArg& rootFolder, bool foldersOnly, bool includeFiles);

    // The start folder given as a path by the last call that gave one.
    const QString& startFolderText() const { return m_startFolderText; }

private:
    // What the dialog selects when it opens: the remembered start folder when the call gave
    // no folder of its own to select, otherwise that folder.
    QString selectionOnOpen(const QString& callbackFolder) const;

    std::unique_ptr<FolderDialog> m_dialog;
    QString m_startFolderText;
};

} // namespace zarvok::picker
