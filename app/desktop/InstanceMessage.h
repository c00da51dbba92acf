#pragma once
// Accepts any bytes a local client sends to the running window (read up to kMaxMessageBytes).

#include <QByteArray>
#include <QStringList>

namespace zarvok::app {

// Larger messages are refused whole: enough for many thousand folders.
inline constexpr qsizetype kMaxMessageBytes = 4 * 1024 * 1024;

// The folders as a file list: one file:// URI a line, each line ended. No folders: an empty
// message, which only raises the window.
QByteArray encodeFolders(const QStringList& folders);

// The folders in a message, read exactly as pasted clipboard text (UTF-8) is read; nothing for
// a message over kMaxMessageBytes.
QStringList decodeFolders(const QByteArray& message);

} // namespace zarvok::app
