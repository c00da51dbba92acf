#pragma once

#include <QStringList>

class QMimeData;

namespace zarvok::app {

// Full paths of the dropped local files and folders, in the source's order; anything that is not
// a local file (web links, plain text, pictures) is left out.
QStringList droppedPaths(const QMimeData* data);

} // namespace zarvok::app
