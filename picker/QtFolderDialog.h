#pragma once

#include "FolderDialog.h"

namespace zarvok::picker {

// The folder the dialog opens at for a wanted folder: the folder itself when it exists, else its
// nearest existing parent, else the file-system root; never the process's working folder, which
// a relative or missing path would fall back to.
QString nearestExistingFolder(const QString& wanted);

// The desktop's folder chooser through QFileDialog in directory mode.
class QtFolderDialog final : public FolderDialog {
public:
    QString choose(QWidget* owner, const FolderDialogRequest& request) override;
};

} // namespace zarvok::picker
