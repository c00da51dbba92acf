// The queue in the user's hands: typed paths queued with Enter or told at once, folders taken
// off the list by the path field's menu and by Delete in the open list (during a run too), and
// what screen readers are told.
#include "Announcer.h"
#include "ModalAnswerer.h"
#include "TempTree.h"
#include "WindowFixture.h"
#include "forms/FocusRing.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace zarvok::app;

namespace {

struct QueueWindow : WindowFixture {
    explicit QueueWindow(const char* name)
        : WindowFixture(QString::fromLatin1(name))
    {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void type(const QString& text)
    {
        cboPath()->setEditText(text);
        // To the box, which has the focus and hands keys to its field.
        QTest::keyClick(cboPath(), Qt::Key_Return);
    }
    QString announced() const { return child<Announcer>("announcer")->lastText(); }
    // The path field's context menu, as the keyboard opens it.
    QMenu* openMenu(QKeyCombination keys = QKeyCombination(Qt::Key_Menu)) const
    {
        QTest::mouseClick(cboPath()->lineEdit(), Qt::LeftButton); // into the field first
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
        QMenu* menu = nullptr;
        (void)QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }, 2000);
        return menu;
    }
    QAction* action(QMenu* menu, const char* name) const { return menu->findChild<QAction*>(QString::fromLatin1(name)); }
};

QString count(int n)
{
    return QStringLiteral("Folder to Delete (drag and drop): %1 in list").arg(n);
}

} // namespace

TEST(frmMainQueue, EnterQueuesATypedFolderAsPasteWould)
{
    TempTree tree;
    const QString spaced = tree.folder("with spaces  ", 1);
    const QString plain = tree.folder("plain", 1);
    QueueWindow f("enter");
    ModalAnswerer boxes;
    f.type(spaced);
    EXPECT_EQ(f.items(), QStringList{spaced});
    EXPECT_EQ(f.field(), spaced);
    EXPECT_EQ(f.label("lblTitle"), count(1));
    EXPECT_EQ(f.announced(), QStringLiteral("Queued: ") + spaced + QStringLiteral(". 1 in list"));
    // A trailing separator is part of the text, as pasted; the engine takes it off.
    f.type(plain + QLatin1Char('/'));
    EXPECT_EQ(f.items(), QStringList({spaced, plain + QLatin1Char('/')}));
    // Again: already queued.
    f.type(spaced);
    EXPECT_EQ(f.items().size(), 2);
    EXPECT_EQ(f.announced(), QStringLiteral("Already in the list: ") + spaced);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(QFileInfo(spaced).isDir());
}

TEST(frmMainQueue, APathThatIsNoFolderIsToldAtOnceAndStaysInTheField)
{
    TempTree tree;
    const QString folder = tree.folder("folder", 1);
    const QString file = tree.file("file.txt");
    const QString link = tree.path("link");
    ASSERT_TRUE(QFile::link(folder, link));
    const QString missing = tree.path("missing");
    const QString tooLong = QStringLiteral("/tmp/") + QString(5000, QLatin1Char('x'));
    const struct {
        QString typed;
        QString told;
    } cases[] = {
        {file, QStringLiteral("Directory... ") + file + QStringLiteral("... is a file, not a folder")},
        // Not followed, with a separator after it or not.
        {link + QLatin1Char('/'), QStringLiteral("Directory... ") + link + QStringLiteral("/... is a symbolic link, not a folder")},
        {missing, QStringLiteral("Directory... ") + missing + QStringLiteral("... not exist")},
        {folder + QStringLiteral("\xfffd"), QStringLiteral("Directory... ") + folder + QStringLiteral("\xfffd... not exist")},
        {QStringLiteral("relative/path"),
         QStringLiteral("Directory... relative/path... was refused, nothing was erased: a relative path is refused; give "
                        "the folder's full path")},
        {QDir::homePath(), QStringLiteral("Directory... ") + QDir::homePath() + QStringLiteral("... was refused, nothing was erased: ")},
        {QStringLiteral("/"), QStringLiteral("Directory... /... was refused, nothing was erased: the file-system root is never erased")},
        {tooLong, QStringLiteral("Directory... /tmp/xxxx")},
    };
    for (const auto& c : cases) {
        QueueWindow f("told");
        ModalAnswerer boxes;
        f.type(c.typed);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 2000)) << c.typed.left(80).toStdString();
        EXPECT_TRUE(boxes.shown[0].text.startsWith(c.told)) << boxes.shown[0].text.left(300).toStdString();
        EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
        EXPECT_EQ(f.items(), QStringList());
        EXPECT_EQ(f.field(), c.typed); // nothing lost: the user can put it right
        EXPECT_EQ(boxes.shown.size(), 1);
    }
    // Five thousand characters: the box stays on the screen; the whole text is in its details.
    QueueWindow f("long");
    f.type(tooLong);
    QMessageBox* box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())); }, 2000));
    EXPECT_LT(box->text().size(), 400);
    EXPECT_TRUE(box->text().endsWith(QStringLiteral("the path is longer than the system accepts"))) << box->text().toStdString();
    EXPECT_TRUE(box->detailedText().contains(tooLong));
    box->accept();
}

TEST(frmMainQueue, SeveralLinesQueueTheirFoldersAndKeepTheRest)
{
    TempTree tree;
    const QString one = tree.folder("one", 1);
    const QString two = tree.folder("two", 1);
    const QString file = tree.file("file.txt");
    QueueWindow f("lines");
    ModalAnswerer boxes;
    f.type(one + QStringLiteral("\n") + file + QStringLiteral("\r\n\n") + two + QStringLiteral("\n"));
    EXPECT_EQ(f.items(), QStringList({one, two}));
    EXPECT_EQ(f.announced(), QStringLiteral("Queued 2 folders. 2 in list"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 2000));
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Directory... ") + file + QStringLiteral("... is a file, not a folder")});
    EXPECT_EQ(f.field(), file);
}

TEST(frmMainQueue, TheMenuTakesTheShownFolderOffOrClearsTheList)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 1), tree.folder("b", 1), tree.folder("c", 1)};
    QueueWindow f("menu");
    for (const QString& folder : folders)
        f.type(folder);
    ASSERT_EQ(f.surveyor->started.size(), 1); // one survey at a time: "a" is being surveyed
    f.cboPath()->setEditText(folders[0]);
    QMenu* menu = f.openMenu();
    ASSERT_NE(menu, nullptr);
    QAction* remove = f.action(menu, "actRemoveFromList");
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->text(), QStringLiteral("Re&move from List"));
    EXPECT_TRUE(remove->isEnabled());
    // Beside the usual editing actions.
    EXPECT_GE(menu->actions().size(), 8);
    const int stops = f.surveyor->stops;
    remove->trigger();
    menu->close();
    EXPECT_EQ(f.items(), QStringList({folders[1], folders[2]}));
    EXPECT_EQ(f.label("lblTitle"), count(2));
    EXPECT_EQ(f.field(), folders[1]);
    EXPECT_EQ(f.announced(), QStringLiteral("Taken off the list, not erased: ") + folders[0] + QStringLiteral(". 2 in list"));
    EXPECT_EQ(f.surveyor->stops, stops + 1); // its survey is cancelled
    EXPECT_TRUE(QFileInfo(folders[0]).isDir());

    // A typed text that is not queued cannot be taken off.
    f.cboPath()->setEditText(QStringLiteral("/not/queued"));
    menu = f.openMenu(Qt::SHIFT | Qt::Key_F10);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(f.action(menu, "actRemoveFromList")->isEnabled());
    QAction* clear = f.action(menu, "actClearList");
    ASSERT_TRUE(clear->isEnabled());
    clear->trigger();
    menu->close();
    EXPECT_EQ(f.items(), QStringList());
    EXPECT_EQ(f.field(), QString());
    EXPECT_EQ(f.label("lblTitle"), count(0));
    EXPECT_EQ(f.announced(), QStringLiteral("List cleared, nothing erased. 0 in list"));
    for (const QString& folder : folders)
        EXPECT_TRUE(QFileInfo(folder).isDir());
    // Delete on the emptied list does nothing.
    f.button("cmdDelete")->click();
    EXPECT_FALSE(f.window->isErasing());
}

TEST(frmMainQueue, DeleteInTheOpenListTakesTheHighlightedFolderOff)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 1), tree.folder("b", 1), tree.folder("c", 1)};
    QueueWindow f("delete-key");
    for (const QString& folder : folders)
        f.type(folder);
    f.cboPath()->showPopup();
    QAbstractItemView* list = f.cboPath()->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(f.items(), QStringList({folders[0], folders[2]}));
    EXPECT_EQ(f.label("lblTitle"), count(2));
    EXPECT_TRUE(list->isVisible()); // the list stays open for the next one
    EXPECT_EQ(f.field(), folders[2]);
    EXPECT_EQ(f.announced(), QStringLiteral("Taken off the list, not erased: ") + folders[1] + QStringLiteral(". 2 in list"));
    f.cboPath()->hidePopup();
    EXPECT_TRUE(QFileInfo(folders[1]).isDir());
}

TEST(frmMainQueue, DuringARunOnlyTheWaitingFoldersCanBeTakenOff)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 1), tree.folder("b", 1), tree.folder("c", 1), tree.folder("d", 1)};
    const QString late = tree.folder("late", 1);
    QueueWindow f("during-run");
    for (const QString& folder : folders)
        f.type(folder);
    bool shownRemovable = true, clearable = false;
    QStringList afterDeleteKey;
    QString toldForFirst;
    *f.onErase = [&](const QString& path) {
        if (path != folders[0])
            return;
        // The field shows the folder being erased: the run has it.
        QMenu* menu = f.openMenu();
        ASSERT_NE(menu, nullptr);
        shownRemovable = f.action(menu, "actRemoveFromList")->isEnabled();
        clearable = f.action(menu, "actClearList")->isEnabled();
        menu->close();
        f.cboPath()->showPopup();
        QAbstractItemView* list = f.cboPath()->view();
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Delete);
        toldForFirst = f.announced();
        list->setCurrentIndex(list->model()->index(2, 0)); // "c"
        const int heightBefore = list->window()->height();
        QTest::keyClick(list, Qt::Key_Delete);
        afterDeleteKey = f.items();
        // Still open, fitted to the rows left, on the row after the one taken off.
        EXPECT_TRUE(f.cboPath()->view()->isVisible());
        EXPECT_LT(f.cboPath()->view()->window()->height(), heightBefore);
        EXPECT_EQ(f.cboPath()->view()->currentIndex().row(), 2);
        f.cboPath()->hidePopup();
        menu = f.openMenu();
        f.action(menu, "actClearList")->trigger();
        menu->close();
        f.type(late); // queued during the run: waits for the next one
    };
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_FALSE(shownRemovable);
    EXPECT_TRUE(clearable);
    EXPECT_EQ(toldForFirst, QStringLiteral("Being erased, so it stays on the list: ") + folders[0]);
    EXPECT_EQ(afterDeleteKey, QStringList({folders[0], folders[1], folders[3]}));
    EXPECT_FALSE(QFileInfo::exists(folders[0]));
    for (const QString& kept : {folders[1], folders[2], folders[3], late})
        EXPECT_TRUE(QFileInfo(kept).isDir()) << kept.toStdString();
    EXPECT_EQ(f.items(), QStringList{late});
    EXPECT_EQ(f.label("lblTitle"), count(1));
}

// The path field shows the keyboard focus with a ring at 3:1 or more against the window, on a
// light and on a dark palette (Adwaita's selection colours).
TEST(frmMainQueue, ThePathFieldShowsItsFocusAtThreeToOne)
{
    const struct {
        QColor accent, window;
    } palettes[] = {{QColor(0x30, 0x8c, 0xc6), QColor(0xef, 0xef, 0xef)}, {QColor(0x15, 0x53, 0x9e), QColor(0x35, 0x35, 0x35)},
                    {QColor(0x35, 0x84, 0xe4), QColor(0xf6, 0xf5, 0xf4)}, {QColor(0x35, 0x35, 0x35), QColor(0x30, 0x30, 0x30)}};
    for (const auto& p : palettes)
        EXPECT_GE(zarvok::forms::contrastRatio(zarvok::forms::focusColourOn(p.accent, p.window), p.window), 3.0)
            << p.window.name().toStdString();

    QueueWindow f("focus-ring");
    auto* ring = f.child<QWidget>("cboPathFocusRing");
    ASSERT_NE(ring, nullptr);
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    f.button("cmdQuit")->setFocus();
    EXPECT_FALSE(ring->isVisible());
    f.cboPath()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ring->isVisible(); }, 2000));
    EXPECT_TRUE(ring->geometry().contains(f.cboPath()->geometry()));
    f.button("cmdQuit")->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ring->isVisible(); }, 2000));
}
