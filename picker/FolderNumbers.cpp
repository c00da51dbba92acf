#include "FolderNumbers.h"

#include <QDir>
#include <QStandardPaths>

namespace zarvok::picker {

QString specialFolderPath(int number)
{
    auto location = [](QStandardPaths::StandardLocation where) {
        return QDir::toNativeSeparators(QStandardPaths::writableLocation(where));
    };
    switch (number) {
    case Desktop:
    case DesktopDirectory:
        return location(QStandardPaths::DesktopLocation);
    case Documents:
        return location(QStandardPaths::DocumentsLocation);
    case Music:
        return location(QStandardPaths::MusicLocation);
    case Videos:
        return location(QStandardPaths::MoviesLocation);
    case Computer:
        return QDir::toNativeSeparators(QDir::rootPath());
    case Fonts:
        return location(QStandardPaths::FontsLocation);
    case AppData:
        return location(QStandardPaths::GenericConfigLocation);
    case LocalAppData:
        return location(QStandardPaths::GenericDataLocation);
    case InternetCache:
        return location(QStandardPaths::GenericCacheLocation);
    case Pictures:
        return location(QStandardPaths::PicturesLocation);
    case Profile:
        return location(QStandardPaths::HomeLocation);
    default:
        return {};
    }
}

} // namespace zarvok::picker
