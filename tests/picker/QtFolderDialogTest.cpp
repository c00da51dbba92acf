#include "QtFolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zarvok::picker;

namespace {

// Closes the modal dialog as soon as it is up, the way a user's click would.
void answerWhenShown(bool accept, QString* shownDirectory)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *shownDirectory = dialog->directory().absolutePath();
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
