#pragma once
// The three trees the erase benchmark deletes, built fast through directory handles.

#include <cstddef>
#include <optional>
#include <string>

namespace zarvok::bench {

struct Shape {
    std::string name;
    int folders = 0;      // wide: folders below the root; flat: 0; deep: levels
    int filesEach = 0;    // files per folder (or per level)
    bool chain = false;   // deep: each folder inside the previous one
};

// wide: 200,000 files of 16 bytes in 2,000 folders of 100; flat: one folder of 200,000 files;
// deep: a 5,000-level chain with 2 files per level; subfolders: one folder of 200,000 empty
// folders. `scale` shrinks them for smoke runs.
Shape wideShape(double scale);
Shape flatShape(double scale);
Shape deepShape(double scale);
Shape subfoldersShape(double scale);
// chainwide: a 200-level chain with 10,000 files per level (memory grows with depth times width
// when a level keeps its listing); share: 2,000 files in 20 folders of 100, for network shares.
// Both scale by `scale`, chainwide in depth and width alike (0.1: 20 levels of 1,000).
Shape chainwideShape(double scale);
Shape shareShape(double scale);
// One of the above by name; nothing for a name it does not know.
std::optional<Shape> shapeNamed(const std::string& name, double scale);

// Builds the shape at `root` (which must not exist) and returns the number of entries in it,
// the root included.
std::size_t buildTree(const std::string& root, const Shape& shape);

} // namespace zarvok::bench
