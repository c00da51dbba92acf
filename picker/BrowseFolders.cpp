#include "BrowseFolders.h"

#include "FolderNumbers.h"

#include <QDir>

#include <optional>

namespace zarvok::picker {
namespace {

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

// A path when the argument is non-empty text that does not read as a number; otherwise the
// special folder number it stands for.
std::variant<QString, int> classify(const FolderArg& arg)
{
    if (const int* number = std::get_if<int>(&arg))
        return *number;
    if (const QString* text = std::get_if<QString>(&arg)) {
        bool isNumber = false;
        const int number = text->trimmed().toInt(&isNumber);
        if (isNumber)
            return number;
        if (!text->isEmpty())
            return *text;
    }
    return 0;
}

QString folderOf(const std::variant<QString, int>& folder)
{
    if (const QString* path = std::get_if<QString>(&folder))
        return *path;
    return specialFolderPath(std::get<int>(folder));
}

} // namespace

QString withoutTrailingSeparator(const QString& path)
{
    if (path.size() > 1 && isSeparator(path.back()))
        return path.chopped(1);
    return path;
}

BrowseFolders::BrowseFolders(std::unique_ptr<FolderDialog> dialog)
    : m_dialog(std::move(dialog))
{
}

QString BrowseFolders::BrowseForFolder(QWidget* owner, const QString& prompt, const FolderArg& startFolder,
                                       const FolderArg& rootFolder, bool foldersOnly, bool includeFiles)
{
    const QString root = folderOf(classify(rootFolder));

    QString callbackFolder;
    if (std::holds_alternative<std::monostate>(startFolder)) {
        callbackFolder = root;
    } else {
        const auto start = classify(startFolder);
        if (const QString* path = std::get_if<QString>(&start))
            m_startFolderText = *path;
        else
            callbackFolder = folderOf(start);
    }

    FolderDialogRequest request;
    request.title = prompt;
    request.root = root;
    request.selection = selectionOnOpen(callbackFolder);
    request.foldersOnly = foldersOnly;
    request.includeFiles = includeFiles;
    return m_dialog->choose(owner, request);
}

QString BrowseFolders::selectionOnOpen(const QString& callbackFolder) const
{
    if (!m_startFolderText.isEmpty() && callbackFolder.isEmpty())
        return withoutTrailingSeparator(m_startFolderText);
    return callbackFolder;
}

} // namespace zarvok::picker
