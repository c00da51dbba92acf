// The message a second start sends to the running window over its local socket: any bytes a
// program of the same user writes there, read as the window reads them.
//
// After every input: every folder is non-empty; a folder decoded from a file URI is an absolute
// path without NUL, and any other is a line of the message as written; and the absolute ones,
// sent again, arrive unchanged.

#include "FuzzSupport.h"
#include "InstanceMessage.h"

#include <QCoreApplication>

using namespace zarvok;


extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::quietQtMessages();
    fuzz::startQt<QCoreApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray message(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList folders = app::decodeFolders(message);
    fuzz::checkPathsFromText(QString::fromUtf8(message), folders);
    // What a command line could have sent (absolute paths) survives being sent again.
    QStringList paths;
    for (const QString& folder : folders)
        if (folder.startsWith(QLatin1Char('/')) && !folder.contains(QChar(u'\0')))
            paths.append(folder);
    const QStringList again = app::decodeFolders(app::encodeFolders(paths));
    fuzz::check(again == paths, "absolute folders received, sent again, arrive unchanged",
                paths.join(u'\n') + QStringLiteral("\n-- arrived as --\n") + again.join(u'\n'));
    return 0;
}
