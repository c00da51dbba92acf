#pragma once
// A look at a typed path before it is queued: whether a run would get as far as erasing it.
// The same tests as the engine's, in the same order, touching nothing; the answer is put in the
// words the run would use for it.

#include <QString>

namespace zarvok::app {

// The warning a run would show for `path` ("Directory... /x... not exist", "... is a file, not a
// folder", "... was refused, nothing was erased: ..."), or empty when a folder stands there that
// the engine's rules let it erase. What only the erase itself can find out (a folder the user
// may not open, one that cannot be fully emptied) is left to the run.
QString notQueuedWarning(const QString& path);

} // namespace zarvok::app
