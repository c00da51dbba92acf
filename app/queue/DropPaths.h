#pragma once

#include <QStringList>

class QDropEvent;
class QMimeData;

namespace zarvok::app {

// Full paths of the dropped or copied local files and folders, in the source's order; anything
// that is not a local file (web links, plain text, pictures) is left out.
QStringList droppedPaths(const QMimeData* data);

// Answers a drag or a drop: taken, as a copy, when it brings local paths, so that the file
// manager is never asked to move or delete anything on our account; refused otherwise.
// Returns whether it was taken.
bool acceptAsCopy(QDropEvent* event);

} // namespace zarvok::app
