#include "DropPaths.h"

#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

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
                 "copy\nfile:///srv/one%20two\nfile:///srv/three\n");
    EXPECT_EQ(droppedPaths(&data), QStringList({QStringLiteral("/srv/one two"), QStringLiteral("/srv/three")}));
}
