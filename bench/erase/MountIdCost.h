#pragma once
// What staying on the folder's mount costs per directory: opening with openat2 and
// RESOLVE_NO_XDEV, against openat followed by the mount-ID check (statx STATX_MNT_ID) that
// replaces it where openat2 is missing or filtered.

#include <cstddef>
#include <string>

namespace zarvok::bench {

struct MountIdCost {
    std::size_t folders = 0;
    double openat2Ns = 0;        // per directory: openat2 + close
    double openatNs = 0;         // per directory: openat + close
    double openatCheckedNs = 0;  // per directory: openat + mount-ID check + close
};

// Measures on `folders` fresh empty folders made under `dir` (and removed again).
MountIdCost measureMountIdCost(const std::string& dir, int folders);

} // namespace zarvok::bench
