#pragma once

#include <QString>

class QUrl;

namespace zarvok::app {

// The absolute local path a file URL names, or "" when it names none on this computer: not a
// file URL, another computer's ("file://server/dir"), relative, a Qt resource (":/x"), or
// holding a NUL. The path is decoded byte for byte, so any name the file system holds comes
// back as it was sent.
QString localPathOfUrl(const QUrl& url);

} // namespace zarvok::app
