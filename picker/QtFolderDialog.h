#pragma once

#include "FolderDialog.h"

namespace zarvok::picker {

// The desktop's folder chooser through QFileDialog in directory mode.
class QtFolderDialog final : public FolderDialog {
public:
    QString choose(QWidget* owner, const FolderDialogRequest& request) override;
};

} // namespace zarvok::picker
