#pragma once
// What the hint line says while the pointer is over each command button; screen readers get
// the same words as the buttons' descriptions.

#include <QString>

#include <array>

namespace zarvok::app {

struct CommandHint {
    const char* button; // object name
    const char* text;
};

inline constexpr std::array<CommandHint, 6> kCommandHints{{
    {"cmdQuit", "Exit Program"},
    {"cmdDelete", "Start Erasing"},
    {"cmdCopy", "Copy Folder to Delete to clipboard"},
    {"cmdPaste", "Paste from clipboard into Folder to Delete"},
    {"cmdAbout", "Show About box"},
    {"cmdBrowse", "Browse for Folder or files to Erase"},
}};

// The hint of the button with this object name; empty for any other.
inline QString hintOf(const QString& button)
{
    for (const CommandHint& hint : kCommandHints)
        if (button == QLatin1String(hint.button))
            return QString::fromLatin1(hint.text);
    return {};
}

} // namespace zarvok::app
