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

} // namespace zarvok::app
