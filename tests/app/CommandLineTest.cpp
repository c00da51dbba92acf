#include "CommandLine.h"
#include "InstanceMessage.h"

#include <gtest/gtest.h>

using namespace zarvok::app;
using Action = CommandLine::Action;

TEST(CommandLine, FoldersOptionsAndMistakes)
{
    const QString here = QStringLiteral("/home/u/work");
    const struct {
        QStringList arguments;
        Action action;
        QStringList folders;
    } cases[] = {
        {{}, Action::Run, {}},
        {{"/srv/a", "b c", "../d", "/srv/a"}, Action::Run, {"/srv/a", "/home/u/work/b c", "/home/u/work/../d", "/srv/a"}},
        {{"--", "--help", "-v"}, Action::Run, {"/home/u/work/--help", "/home/u/work/-v"}},
        {{"--help"}, Action::Help, {}},
        {{"/srv/a", "-h"}, Action::Help, {}},
        {{"--version"}, Action::Version, {}},
        {{"-v"}, Action::Version, {}},
        {{"--erase-now"}, Action::Error, {}},
        {{"-x", "/srv/a"}, Action::Error, {}},
        {{":", ":/srv"}, Action::Run, {"/home/u/work/:", "/home/u/work/:/srv"}}, // found by fuzzing: no Qt resource
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments, here);
        EXPECT_EQ(line.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.folders, c.folders) << c.arguments.join(' ').toStdString();
    }
    EXPECT_EQ(parseCommandLine({QStringLiteral("--version")}, here).text, QStringLiteral("Zarvok 3.0.280\n"));
    EXPECT_TRUE(parseCommandLine({QStringLiteral("--help")}, here).text.startsWith(QStringLiteral("Usage: zarvok")));
    EXPECT_TRUE(parseCommandLine({QStringLiteral("--erase-now")}, here).text.contains(QStringLiteral("erase-now")));
}

TEST(InstanceMessage, FoldersOfAnyNameArriveAsSent)
{
    const QStringList folders = {QStringLiteral("/srv/plain"), QStringLiteral("/srv/with space "),
                                 QStringLiteral("/srv/line\nbreak"), QStringLiteral("/srv/50%#?x"),
                                 QString::fromUtf8("/srv/caf\xc3\xa9"), QStringLiteral("/srv/file:"),
                                 QStringLiteral("//srv/x"), QStringLiteral("//"), // "//" and U+FFFF: found by fuzzing
                                 QString::fromUtf8("/srv/\xef\xbf\xbe\xef\xbf\xbf")};
    for (const QString& folder : folders)
        EXPECT_EQ(decodeFolders(encodeFolders({folder})), QStringList({folder})) << folder.toStdString();
    EXPECT_EQ(decodeFolders(encodeFolders(folders)), folders);
    EXPECT_TRUE(decodeFolders(encodeFolders({})).isEmpty());
    // What arrives is read like pasted text, and a message past the limit is refused whole.
    EXPECT_EQ(decodeFolders("/srv/a\r\nfile:///srv/b%20c\n"), QStringList({QStringLiteral("/srv/a"), QStringLiteral("/srv/b c")}));
    EXPECT_TRUE(decodeFolders(QByteArray(kMaxMessageBytes + 1, 'a')).isEmpty());
}
