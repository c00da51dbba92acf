#include "FuzzSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace zarvok::fuzz {

void fail(const char* invariant, const QString& detail)
{
    std::fprintf(stderr, "\nINVARIANT BROKEN: %s\n%s\n", invariant, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

void checkPathsFromText(const QString& text, const QStringList& paths)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    for (const QString& path : paths) {
        check(!path.isEmpty(), "a path read from text is not empty");
        if (lines.contains(path))
            continue; // taken as written
        check(!path.contains(QChar(u'\0')), "a path decoded from a file URI holds no NUL", path);
        check(QDir::isAbsolutePath(path) && !path.startsWith(QLatin1Char(':')),
              "a path decoded from a file URI is absolute", path);
    }
}

void quietQtMessages()
{
    if (qEnvironmentVariableIntValue("FUZZ_VERBOSE") != 0)
        return;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtFatalMsg)
            return;
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(message));
        std::abort();
    });
}

QString usePrivateHome()
{
    const QByteArray base = QDir(QStringLiteral("/dev/shm")).exists() && access("/dev/shm", W_OK) == 0
                                ? QByteArrayLiteral("/dev/shm")
                                : QFile::encodeName(QDir::tempPath());
    QByteArray pattern = base + "/zarvok-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        fail("a private home folder can be made", QString::fromLocal8Bit(pattern));
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                             "XDG_RUNTIME_DIR"}) {
        const QByteArray dir = pattern + '/' + QByteArray(name).toLower();
        QDir().mkpath(QFile::decodeName(dir));
        QFile::setPermissions(QFile::decodeName(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, dir);
    }
    static QString made;
    made = QFile::decodeName(pattern);
    std::atexit([] { QDir(made).removeRecursively(); });
    return made;
}

} // namespace zarvok::fuzz
