#pragma once
// Accepts the program's arguments (argv after the program name, any text) and the working folder.

#include <QString>
#include <QStringList>

namespace zarvok::app {

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QStringList folders; // Run: to queue, in order, as if pasted
    QString text;        // Help and Version: what to print; Error: what was wrong
};

// Folders named relative to the working folder are made absolute, nothing else is changed
// (the erase engine judges them as it judges pasted paths).
CommandLine parseCommandLine(const QStringList& arguments, const QString& workingFolder);

// "Zarvok 3.0.280".
QString versionText();

// "Try 'zarvok --help'." and the like, for an error.
QString usageHint();

} // namespace zarvok::app
