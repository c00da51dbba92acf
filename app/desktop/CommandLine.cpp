#include "CommandLine.h"

#include <ProjectInfo.h>

#include <QCommandLineParser>
#include <QDir>

namespace zarvok::app {
namespace {

const QString kHelp = QStringLiteral(
    "Usage: zarvok [OPTION]... [FOLDER]...\n"
    "Erase whole folder trees. The FOLDERs are queued in the window, in order, as if pasted;\n"
    "nothing is erased before Delete is pressed. When Zarvok already runs for this user, the\n"
    "FOLDERs are handed to its window, which is raised, and this command ends.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n");

QString absoluteFolder(const QDir& here, const QString& folder)
{
    // QDir counts ":name" as absolute, a Qt resource; here it is a folder like any other.
    if (folder.startsWith(QLatin1Char(':'))) {
        const QString base = here.absolutePath();
        return base.endsWith(QLatin1Char('/')) ? base + folder : base + QLatin1Char('/') + folder;
    }
    return QDir::isAbsolutePath(folder) ? folder : here.absoluteFilePath(folder);
}

} // namespace

QString versionText()
{
    return QString::fromLatin1(info::kProductName) + QLatin1Char(' ') + QString::fromLatin1(info::kVersionText);
}

QString usageHint()
{
    return QStringLiteral("Try 'zarvok --help'.");
}

CommandLine parseCommandLine(const QStringList& arguments, const QString& workingFolder)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    // QCommandLineParser skips the first argument, the program.
    if (!parser.parse(QStringList{QStringLiteral("zarvok")} + arguments))
        return {CommandLine::Action::Error, {}, parser.errorText()};
    if (parser.isSet(help))
        return {CommandLine::Action::Help, {}, kHelp};
    if (parser.isSet(version))
        return {CommandLine::Action::Version, {}, versionText() + QLatin1Char('\n')};
    CommandLine line;
    const QDir here(workingFolder);
    for (const QString& folder : parser.positionalArguments())
        if (!folder.isEmpty())
            line.folders.append(absoluteFolder(here, folder));
    return line;
}

} // namespace zarvok::app
