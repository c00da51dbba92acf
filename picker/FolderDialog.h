#pragma once
// The modal folder chooser, behind an interface so tests can answer it.

#include <QString>

class QWidget;

namespace zarvok::picker {

struct FolderDialogRequest {
    QString title;
    QString root;      // where the tree starts; empty means the desktop
    QString selection; // folder selected when the dialog opens; empty selects nothing
    bool foldersOnly = true;
    bool includeFiles = false;
};

class FolderDialog {
public:
    virtual ~FolderDialog() = default;
    // The chosen file-system path, or empty text when the user cancelled.
    virtual QString choose(QWidget* owner, const FolderDialogRequest& request) = 0;
};

} // namespace zarvok::picker
