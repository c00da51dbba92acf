#pragma once
// Empties and removes one opened directory tree with a pool of workers. The caller has already
// checked that the tree may be erased and how to stay on its mount; see EraseEngine.cpp.

#include "EraseRun.h"

namespace zarvok::erase {

// Erases everything below the root and then the root itself; fills the outcome.
Outcome eraseOpenedTree(TreeRoot root, Progress& progress, const RunLimits& limits, const Containment& containment);

} // namespace zarvok::erase
