#pragma once
// Accepts any clipboard text (untrusted, any length, any characters) and gives the paths to queue.

#include <QString>
#include <QStringList>

namespace zarvok::app {

// Text on one line is one path, taken as written. Text of several lines is one path per line
// that holds more than blanks (line ends \n, \r\n or \r); a line that is a local file:// URI is
// decoded as in a file list, any other line is taken as written.
QStringList pastedPaths(const QString& text);

} // namespace zarvok::app
