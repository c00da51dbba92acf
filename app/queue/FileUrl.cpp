#include "FileUrl.h"

#include <QDir>
#include <QUrl>

namespace zarvok::app {

namespace {

// QUrl's own decoding turns some characters a name may hold (U+FFFE, U+FFFF) into others, so a
// folder sent as a URL would arrive as a folder of another name.
QString decodedPath(const QUrl& url)
{
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return QDir::toNativeSeparators(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded)));
}

} // namespace

QString localPathOfUrl(const QUrl& url)
{
    if (!url.isValid() || !url.isLocalFile())
        return {};
#ifndef Q_OS_WIN
    // "file://server/dir" is a folder of another computer; as "//server/dir" it would be read
    // here as "/server/dir". (On Windows it is the share \\server\dir.)
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return {};
    const QString path = decodedPath(url);
#else
    const QString path = QDir::toNativeSeparators(url.toLocalFile());
#endif
    // A relative path would be taken from wherever the program runs, one beginning with ':' Qt
    // takes for a resource, and the system reads a path only up to a NUL: each would name
    // another folder.
    if (!QDir::isAbsolutePath(path) || path.startsWith(QLatin1Char(':')) || path.contains(QChar(u'\0')))
        return {};
    return path;
}

} // namespace zarvok::app
