#include "QtFolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace zarvok::picker;

namespace {

// Closes the modal dialog as soon as it is up, the way a user's click would.
void answerWhenShown(bool accept, QString* shownDirectory, QList<QUrl>* places = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *shownDirectory = dialog->directory().absolutePath();
        if (places != nullptr)
            *places = dialog->sidebarUrls();
        QDialog* asDialog = dialog; // accept() is public on QDialog
        accept ? asDialog->accept() : asDialog->reject();
    });
}

} // namespace

TEST(QtFolderDialog, OpensAtTheSelectionAndReturnsTheChosenFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("photos/2024")));
    const QString selection = root.path() + QStringLiteral("/photos/2024");

    QtFolderDialog dialog;
    QString shown;
    answerWhenShown(true, &shown);
    const QString chosen = dialog.choose(nullptr, {QStringLiteral("Pick"), root.path(), selection, true, false});
    EXPECT_EQ(shown, selection);
    EXPECT_EQ(QDir::cleanPath(chosen), selection);
}

TEST(QtFolderDialog, CancelReturnsEmptyText)
{
    QTemporaryDir root;
    QtFolderDialog dialog;
    QString shown;
    answerWhenShown(false, &shown);
    EXPECT_EQ(dialog.choose(nullptr, {QStringLiteral("Pick"), root.path(), root.path(), true, false}), QString());
    EXPECT_EQ(shown, root.path());
}

TEST(QtFolderDialog, AMissingFolderOpensAtItsNearestExistingParent)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("kept")));
    const QString kept = root.path() + QStringLiteral("/kept");
    struct Case {
        QString wanted;
        QString opened;
    };
    const Case cases[] = {
        {kept, kept},
        {kept + QStringLiteral("/"), kept},
        {kept + QStringLiteral("/gone/deeper"), kept},
        {root.path() + QStringLiteral("/gone"), root.path()},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("/no-such-folder-here/x"), QStringLiteral("/")},
        // A relative path would be read against the working folder: the root instead.
        {QStringLiteral("kept"), QStringLiteral("/")},
        {QString(), QStringLiteral("/")},
    };
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(root.path()); // where a relative path would otherwise land
    for (const Case& c : cases)
        EXPECT_EQ(nearestExistingFolder(c.wanted), c.opened) << c.wanted.toStdString();
    QDir::setCurrent(workingFolder);

    // Opened that way, the dialog still shows the desktop's usual places and adds the roots.
    QtFolderDialog dialog;
    QString shown;
    QList<QUrl> places;
    answerWhenShown(false, &shown, &places);
    dialog.choose(nullptr, {QStringLiteral("Pick"), root.path(), kept + QStringLiteral("/gone"), true, false});
    EXPECT_EQ(shown, kept);
    EXPECT_TRUE(places.contains(QUrl::fromLocalFile(QDir::homePath())));
    EXPECT_TRUE(places.contains(QUrl::fromLocalFile(root.path())));
    EXPECT_TRUE(places.contains(QUrl::fromLocalFile(QStringLiteral("/"))));
}
