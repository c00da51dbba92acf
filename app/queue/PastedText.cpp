#include "PastedText.h"

#include "FileUrl.h"

#include <QRegularExpression>
#include <QUrl>

namespace zarvok::app {
namespace {

QString pathOfLine(const QString& line)
{
    if (!line.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return line;
    // A URI naming another computer stays text; the erase will say there is no such folder.
    // So does one that decodes to no absolute path, to a Qt resource (":/x") or past a NUL.
    const QString path = localPathOfUrl(QUrl(line));
    return path.isEmpty() ? line : path;
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
