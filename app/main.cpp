#include "CommandLine.h"
#include "DBusDesktop.h"
#include "SingleInstance.h"
#include "about/frmAbout.h"
#include "forms/Fonts.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>

namespace {

using zarvok::app::CommandLine;

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// --help, --version and mistakes are answered on the terminal, without a display.
int answerOnTheTerminal(const CommandLine& line)
{
    if (line.action == CommandLine::Action::Error) {
        std::fprintf(stderr, "zarvok: %s\n%s\n", qPrintable(line.text), qPrintable(zarvok::app::usageHint()));
        return 2;
    }
    std::fputs(qPrintable(line.text), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = zarvok::app::parseCommandLine(argumentsOf(argc, argv), QDir::currentPath());
    if (line.action != CommandLine::Action::Run)
        return answerOnTheTerminal(line);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vantrel Software"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarvok.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZARVOK_APP_ID));

    const QString socketPath = zarvok::app::instanceSocketPath();
    if (zarvok::app::handOverFolders(socketPath, line.folders))
        return 0;
    zarvok::app::InstanceServer server;
    QString problem;
    if (!server.listen(socketPath, &problem)) {
        // Started at the same moment as another: that one has the socket now.
        if (zarvok::app::handOverFolders(socketPath, line.folders))
            return 0;
        std::fprintf(stderr, "zarvok: later starts cannot reach this window: %s\n", qPrintable(problem));
    }

    zarvok::forms::fonts::installSubstitutes();
    zarvok::app::WindowServices services;
    services.desktop = std::make_unique<zarvok::app::DBusDesktop>(QStringLiteral(ZARVOK_APP_ID));
    zarvok::app::frmMain window(std::move(services));
    QObject::connect(&window, &zarvok::app::frmMain::aboutRequested, &window,
                     [&window] { zarvok::about::showAbout(&window); });
    QObject::connect(&server, &zarvok::app::InstanceServer::foldersArrived, &window,
                     &zarvok::app::frmMain::takeFoldersFromOutside);
    window.takeFoldersFromOutside(line.folders);
    window.show();
    return app.exec();
}
