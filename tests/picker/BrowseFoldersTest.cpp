#include "BrowseFolders.h"
#include "FolderNumbers.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace zarvok::picker;

namespace {

// Answers like a user would, and remembers what the dialog was asked to show.
class ScriptedDialog final : public FolderDialog {
public:
    ScriptedDialog(QList<FolderDialogRequest>* seen, QString answer)
        : m_seen(seen)
        , m_answer(std::move(answer))
    {
    }
    QString choose(QWidget*, const FolderDialogRequest& request) override
    {
        m_seen->append(request);
        return m_answer;
    }

private:
    QList<FolderDialogRequest>* m_seen;
    QString m_answer;
};

struct Picker {
    explicit Picker(const QString& answer = {})
        : browse(std::make_unique<ScriptedDialog>(&seen, answer))
    {
    }
    QString call(const FolderArg& start, const FolderArg& root = 0)
    {
        return browse.BrowseForFolder(nullptr, QStringLiteral("Select an Image Folder"), start, root, true, false);
    }
    QList<FolderDialogRequest> seen;
    BrowseFolders browse;
};

QString desktop()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

} // namespace

TEST(BrowseFolders, ReturnsTheChosenFolderOrEmptyOnCancel)
{
    Picker chooses(QStringLiteral("/data/photos"));
    EXPECT_EQ(chooses.call(QStringLiteral("/tmp")), QStringLiteral("/data/photos"));

    Picker cancels;
    EXPECT_EQ(cancels.call(QStringLiteral("/tmp")), QString());
    ASSERT_EQ(cancels.seen.size(), 1);
    EXPECT_EQ(cancels.seen[0].title, QStringLiteral("Select an Image Folder"));
    EXPECT_TRUE(cancels.seen[0].foldersOnly);
    EXPECT_FALSE(cancels.seen[0].includeFiles);
}

TEST(BrowseFolders, SelectsTheStartFolderWithOneTrailingSeparatorRemoved)
{
    struct Case {
        FolderArg start;
        QString selected;
    };
    const Case cases[] = {
        {QStringLiteral("/tmp/photos/"), QStringLiteral("/tmp/photos")},
        {QStringLiteral("/tmp/photos//"), QStringLiteral("/tmp/photos/")},
        {QStringLiteral("/tmp/photos"), QStringLiteral("/tmp/photos")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("5"), specialFolderPath(Documents)},
        {5, specialFolderPath(Documents)},
        {std::monostate{}, desktop()},
    };
    for (const Case& c : cases) {
        Picker picker;
        picker.call(c.start);
        ASSERT_EQ(picker.seen.size(), 1);
        EXPECT_EQ(picker.seen[0].selection, c.selected);
        EXPECT_EQ(picker.seen[0].root, desktop());
    }
}

TEST(BrowseFolders, RootIsAPathOrASpecialFolder)
{
    struct Case {
        FolderArg root;
        QString expected;
    };
    const Case cases[] = {
        {std::monostate{}, desktop()},
        {0, desktop()},
        {QStringLiteral("40"), QDir::toNativeSeparators(QDir::homePath())},
        {QStringLiteral("/srv"), QStringLiteral("/srv")},
        {QString(), desktop()},
        {9999, QString()},
    };
    for (const Case& c : cases) {
        Picker picker;
        picker.call(QStringLiteral("/tmp"), c.root);
        ASSERT_EQ(picker.seen.size(), 1);
        EXPECT_EQ(picker.seen[0].root, c.expected);
    }
}

TEST(BrowseFolders, StartFolderTextPersistsUntilTheNextPath)
{
    Picker picker;
    picker.call(QStringLiteral("/first/"));
    EXPECT_EQ(picker.browse.startFolderText(), QStringLiteral("/first/"));

    // A number the desktop does not know selects nothing of its own, so the remembered text wins.
    picker.call(9999);
    EXPECT_EQ(picker.seen.back().selection, QStringLiteral("/first"));
    EXPECT_EQ(picker.browse.startFolderText(), QStringLiteral("/first/"));

    // A known number selects its own folder and leaves the remembered text alone.
    picker.call(Documents);
    EXPECT_EQ(picker.seen.back().selection, specialFolderPath(Documents));
    EXPECT_EQ(picker.browse.startFolderText(), QStringLiteral("/first/"));

    picker.call(QStringLiteral("/second"));
    EXPECT_EQ(picker.browse.startFolderText(), QStringLiteral("/second"));
    EXPECT_EQ(picker.seen.back().selection, QStringLiteral("/second"));
}

TEST(FolderNumbers, KnownNumbersMapToStandardLocations)
{
    EXPECT_EQ(specialFolderPath(Profile), QDir::toNativeSeparators(QDir::homePath()));
    EXPECT_EQ(specialFolderPath(Computer), QDir::toNativeSeparators(QDir::rootPath()));
    EXPECT_EQ(specialFolderPath(Desktop), desktop());
    EXPECT_TRUE(specialFolderPath(-1).isEmpty());
}
