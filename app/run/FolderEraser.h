#pragma once
// Erases one folder tree for the erase loop; tests stand in for it.

#include "erase/EraseEngine.h"

#include <QString>

#include <cstdint>

namespace zarvok::app {

class FolderEraser {
public:
    virtual ~FolderEraser() = default;
    // Returns when the tree is erased or the erase has failed.
    virtual erase::Outcome eraseFolder(const QString& path) = 0;
    // Entries removed so far by the erase in progress (or the last one); read while it runs.
    virtual std::uint64_t removedSoFar() const = 0;
};

} // namespace zarvok::app
