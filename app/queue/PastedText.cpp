#include "PastedText.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace zarvok::app {
namespace {

QString pathOfLine(const QString& line)
{
    if (!line.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return line;
    QUrl url(line);
    if (url.host().compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    // A URI naming another computer stays text; the erase will say there is no such folder.
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty())
        return line;
    // So does one that decodes to no absolute path, to a Qt resource (":/x") or past a NUL.
    const QString path = QDir::toNativeSeparators(url.toLocalFile());
    if (!QDir::isAbsolutePath(path) || path.startsWith(QLatin1Char(':')) || path.contains(QChar(u'\0')))
        return line;
    return path;
}

} // namespace

QStringList pastedPaths(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    if (!text.contains(lineEnd))
        return text.isEmpty() ? QStringList() : QStringList{text};
    QStringList paths;
    for (const QString& line : text.split(lineEnd)) {
        if (line.trimmed().isEmpty())
            continue;
        const QString path = pathOfLine(line);
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

} // namespace zarvok::app
