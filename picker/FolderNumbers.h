#pragma once
// The shell's special folder numbers, mapped onto the desktop's standard locations.

#include <QString>

namespace zarvok::picker {

enum SpecialFolder : int {
    Desktop = 0,
    Documents = 5,
    Music = 13,
    Videos = 14,
    DesktopDirectory = 16,
    Computer = 17,
    Fonts = 20,
    AppData = 26,
    LocalAppData = 28,
    InternetCache = 32,
    Pictures = 39,
    Profile = 40,
};

// The folder's path, or empty text for a number we do not know.
QString specialFolderPath(int number);

} // namespace zarvok::picker
