#include "DropPaths.h"

#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <string_view>

using namespace zarvok::app;

TEST(DroppedPaths, LocalFilesInTheSourcesOrderAndNothingElse)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/c")), QUrl(QStringLiteral("https://example.org/a")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/a dir/")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"))});
    EXPECT_EQ(droppedPaths(&data),
              QStringList({QStringLiteral("/tmp/c"), QStringLiteral("/tmp/a dir/"), QStringLiteral("/tmp/b.txt")}));
}

TEST(DroppedPaths, DataWithoutFilesGivesNothing)
{
    QMimeData text;
    text.setText(QStringLiteral("/tmp/looks-like-a-path"));
    EXPECT_TRUE(droppedPaths(&text).isEmpty());
    QMimeData picture;
    picture.setImageData(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_TRUE(droppedPaths(&picture).isEmpty());
    EXPECT_TRUE(droppedPaths(nullptr).isEmpty());
}

TEST(DroppedPaths, FilesCopiedByAGnomeFileManager)
{
    QMimeData data;
    data.setData(QStringLiteral("x-special/gnome-copied-files"),
                 "copy\nfile:///srv/one%20two\nfile:///srv/three%EF%BF%BE\n");
    // U+FFFE is a name like any other, which Qt's own URL decoding would turn into three others.
    EXPECT_EQ(droppedPaths(&data), QStringList({QStringLiteral("/srv/one two"), QString::fromUtf8("/srv/three\xef\xbf\xbe")}));
}

// File lists found by fuzzing whose URLs name no folder of this computer: each was queued as a
// path that named another folder (or none).
TEST(DroppedPaths, UrlsThatNameNoLocalFolderAreLeftOut)
{
    using namespace std::literals;
    const struct {
        std::string_view list;
        QStringList paths;
    } cases[] = {
        {"copy\nfile:///\0\0\0\0a\n"sv, {}},                           // a raw NUL: the system would read "/"
        {"copy\nfile:///srv/a%00b\nfile:///srv/c\n"sv, {"/srv/c"}},   // an escaped NUL
        {"copy\nfile://0tmp\nfile://server/srv/d\n"sv, {}},           // another computer's "/srv/d", not "/server/srv/d"
        {"copy\nfile:./\xaftmp/a\n"sv, {}},                             // relative to wherever the program runs
        {"copy\nfile:::a\n"sv, {}},                                    // ':' starts a Qt resource path
        {"copy\nfile://localhost/srv/e\n"sv, {"/srv/e"}},              // this computer by name
    };
    for (const auto& c : cases) {
        QMimeData data;
        data.setData(QStringLiteral("x-special/gnome-copied-files"), QByteArray(c.list.data(), qsizetype(c.list.size())));
        EXPECT_EQ(droppedPaths(&data), c.paths) << c.list;
    }
}

// pcmanfm ends each list of copied files with a NUL, which must not cost the last folder.
TEST(DroppedPaths, ListsEndedByANulAsPcmanfmCopiesThemKeepTheLastFolder)
{
    const QByteArray uriList = QByteArrayLiteral("file:///srv/cache\r\nfile:///srv/old%20builds\0");
    const QByteArray gnomeList = QByteArrayLiteral("copy\nfile:///srv/cache\nfile:///srv/old%20builds\0");
    const QStringList both{QStringLiteral("/srv/cache"), QStringLiteral("/srv/old builds")};
    QMimeData offered;
    offered.setData(QStringLiteral("text/uri-list"), uriList);
    offered.setData(QStringLiteral("x-special/gnome-copied-files"), gnomeList);
    EXPECT_EQ(droppedPaths(&offered), both);
    QMimeData gnomeOnly;
    gnomeOnly.setData(QStringLiteral("x-special/gnome-copied-files"), gnomeList);
    EXPECT_EQ(droppedPaths(&gnomeOnly), both);
}
