// What a drop or the clipboard brings: the file list of a file manager (text/uri-list, or the
// copied-files list of GNOME's file managers) and plain text of one or several lines, read by
// the drop and paste readers and queued as the window queues them.
//
// The input is the data of one or more formats, each section a line "== <format>" and the
// data after it up to the next such line; an input without one is plain text:
//     == x-special/gnome-copied-files
//     copy
//     file:///home/me/old%20builds
//
// After every input: every path taken from a file list is non-empty, holds no NUL and is an
// absolute path; a drop is taken exactly when it
// brings paths; a file URL naming another computer gives no path; a NUL ending the list changes
// nothing; pasted text gives paths that are lines as written or decoded file URIs (absolute, no
// NUL); and the queue holds each path once, in the order given.

#include "DropPaths.h"
#include "EraseQueue.h"
#include "FuzzSupport.h"
#include "PastedText.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>


using namespace zarvok;

namespace {


const QByteArray kHeader = QByteArrayLiteral("== ");

// Splits "== format\ndata\n== format\ndata" into the formats of a mime data object.
void fillMimeData(const QByteArray& input, QMimeData& mime)
{
    if (!input.startsWith(kHeader)) {
        mime.setData(QStringLiteral("text/plain"), input);
        return;
    }
    qsizetype at = 0;
    while (at < input.size()) {
        const qsizetype lineEnd = input.indexOf('\n', at);
        const QByteArray format = input.mid(at + kHeader.size(), lineEnd < 0 ? -1 : lineEnd - at - kHeader.size());
        if (lineEnd < 0) {
            mime.setData(QString::fromUtf8(format), {});
            return;
        }
        const qsizetype next = input.indexOf("\n" + kHeader, lineEnd);
        mime.setData(QString::fromUtf8(format), input.mid(lineEnd + 1, next < 0 ? -1 : next - lineEnd - 1));
        at = next < 0 ? input.size() : next + 1;
    }
}

// The URLs of the file list as the data offers them: the standard list, else GNOME's.
QList<QUrl> listedUrls(const QMimeData& mime)
{
    if (mime.hasUrls())
        return mime.urls();
    QList<QUrl> urls;
    const QList<QByteArray> lines = mime.data(QStringLiteral("x-special/gnome-copied-files")).split('\n');
    for (const QByteArray& line : lines.mid(1))
        urls.append(QUrl(QString::fromUtf8(line).trimmed()));
    return urls;
}

void checkPaths(const QMimeData& mime, const QStringList& paths)
{
    for (const QString& path : paths) {
        fuzz::check(!path.isEmpty(), "a path taken from a file list is not empty");
        fuzz::check(!path.contains(QChar(u'\0')), "a path taken from a file list holds no NUL", path);
        fuzz::check(path.startsWith(QLatin1Char('/')), "a path taken from a file list is absolute", path);
    }
    for (const QUrl& url : listedUrls(mime)) {
        if (!url.isLocalFile() || url.host().isEmpty() || url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
            continue;
        QMimeData alone;
        alone.setUrls({url});
        fuzz::check(app::droppedPaths(&alone).isEmpty(), "a file URL of another computer gives no path",
                    url.toString());
    }
}

// pcmanfm ends its lists as C strings; a NUL after the list must change nothing.
void checkEndingNul(const QMimeData& mime, const QStringList& paths)
{
    const QString gnome = QStringLiteral("x-special/gnome-copied-files");
    if (mime.hasUrls() || !mime.hasFormat(gnome))
        return;
    QMimeData ended;
    ended.setData(gnome, mime.data(gnome) + '\0');
    fuzz::check(app::droppedPaths(&ended) == paths, "a list ended by a NUL gives the same paths");
}

void checkDropAnswer(const QMimeData& mime, bool bringsPaths)
{
    QDropEvent event(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    fuzz::check(app::acceptAsCopy(&event) == bringsPaths, "a drop is taken exactly when it brings paths");
    fuzz::check(!bringsPaths || event.dropAction() == Qt::CopyAction, "a drop is taken as a copy");
}

// A paste: the file list when there is one, else the text's paths; the queue after it.
void checkPaste(const QMimeData& mime, const QStringList& paths)
{
    const QStringList pasted = paths.isEmpty() ? app::pastedPaths(mime.text()) : paths;
    if (paths.isEmpty())
        fuzz::checkPathsFromText(mime.text(), pasted);
    app::EraseQueue queue;
    queue.addAll(pasted);
    QStringList expected = pasted;
    app::KillCBDupes(expected);
    fuzz::check(queue.entries() == expected, "the queue holds each path once, in the order given",
                queue.entries().join(u'\n'));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::usePrivateHome();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fuzz::quietQtMessages();
    fuzz::startQt<QGuiApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QMimeData mime;
    fillMimeData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), mime);
    const QStringList paths = app::droppedPaths(&mime);
    checkPaths(mime, paths);
    checkEndingNul(mime, paths);
    checkDropAnswer(mime, !paths.isEmpty());
    checkPaste(mime, paths);
    return 0;
}
