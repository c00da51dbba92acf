#pragma once
// The record a run leaves when the program is quit during it: what became of each folder, where
// the user can read it after the window is gone.

#include "RunResults.h"

#include <QDateTime>
#include <QString>

namespace zarvok::app {

// $XDG_STATE_HOME/zarvok/last-run.txt, ~/.local/state/zarvok/last-run.txt when it is not set.
QString runRecordPath();

// Writes the results (as the results view copies them) under a line with the time; empty on
// success, else why it could not be written.
QString writeRunRecord(const QList<FolderResult>& results, const QDateTime& when);

} // namespace zarvok::app
