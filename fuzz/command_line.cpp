// The command line: the arguments (the input split at NUL bytes, as argv holds them) read with
// the working folder, and the folders a second start hands to the running window.
//
// After every input: help, version and error each come with their text; a run's folders are
// non-empty, absolute, hold no NUL and are the non-empty folder arguments in order (relative ones
// taken from the working folder); and the folders a second start sends arrive as they were sent.

#include "CommandLine.h"
#include "FuzzSupport.h"
#include "InstanceMessage.h"

#include <QCoreApplication>

using namespace zarvok;

namespace {

const QString kWorkingFolder = QStringLiteral("/home/me/work");

QStringList argumentsOf(const std::uint8_t* data, std::size_t size)
{
    QStringList arguments;
    for (const QByteArray& argument : QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0'))
        arguments.append(QString::fromLocal8Bit(argument));
    return arguments;
}

void checkFolders(const QStringList& folders, const QStringList& arguments)
{
    for (const QString& folder : folders) {
        fuzz::check(!folder.isEmpty(), "a folder of the command line is not empty");
        fuzz::check(!folder.contains(QChar(u'\0')), "a folder of the command line holds no NUL", folder);
        fuzz::check(folder.startsWith(QLatin1Char('/')), "a folder of the command line is absolute", folder);
    }
    // Every folder comes from an argument, in order.
    const auto absolute = [](const QString& argument) {
        return argument.startsWith(QLatin1Char('/')) ? argument : kWorkingFolder + QLatin1Char('/') + argument;
    };
    qsizetype from = 0;
    for (const QString& folder : folders) {
        while (from < arguments.size() && absolute(arguments[from]) != folder)
            ++from;
        fuzz::check(from < arguments.size(), "each folder is an argument, in order", folder);
        ++from;
    }
}

void checkHandOver(const QStringList& folders)
{
    const QByteArray message = app::encodeFolders(folders);
    const QStringList arrived = app::decodeFolders(message);
    fuzz::check(arrived == folders, "the folders a second start sends arrive as sent",
                folders.join(u'\n') + QStringLiteral("\n-- sent as --\n") + QString::fromUtf8(message)
                    + QStringLiteral("-- arrived as --\n") + arrived.join(u'\n'));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::quietQtMessages();
    fuzz::startQt<QCoreApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList arguments = argumentsOf(data, size);
    const app::CommandLine line = app::parseCommandLine(arguments, kWorkingFolder);
    switch (line.action) {
    case app::CommandLine::Action::Run:
        fuzz::check(line.folders.size() <= arguments.size(), "no more folders than arguments");
        checkFolders(line.folders, arguments);
        checkHandOver(line.folders);
        break;
    case app::CommandLine::Action::Help:
    case app::CommandLine::Action::Version:
    case app::CommandLine::Action::Error:
        fuzz::check(!line.text.isEmpty(), "help, version and errors come with their text");
        fuzz::check(line.folders.isEmpty(), "help, version and errors queue nothing");
        break;
    }
    return 0;
}
