#pragma once
// The program's version information as the About window shows it: the name and version numbers
// come from the build (the CMake project), the copyright holder from the build's author setting.

#include <QString>

namespace zarvok::about {

struct VersionInfo {
    QString productName;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString comments;       // one paragraph: what the program does and how fast, as measured
    QString legalCopyright; // "\n" (backslash, n) marks a line break, "(c)" becomes "©"
};

VersionInfo programVersionInfo();

} // namespace zarvok::about
