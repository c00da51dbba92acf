#include "ModalAnswerer.h"
#include "TempTree.h"
#include "WindowFixture.h"

#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace zarvok::app;

namespace {

void drop(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
}

QList<QUrl> files(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    return urls;
}

QString count(int n)
{
    return QStringLiteral("Folder to Delete (drag and drop): %1 in list").arg(n);
}

} // namespace

TEST(frmMainFilling, DropsQueueLocalPathsInOrder)
{
    WindowFixture f(QStringLiteral("drops"));
    const QStringList three = {QStringLiteral("/tmp/z"), QStringLiteral("/tmp/a"), QStringLiteral("/tmp/m.txt")};
    drop(f.cboPath(), files(three));
    EXPECT_EQ(f.items(), three);
    EXPECT_EQ(f.field(), QStringLiteral("/tmp/m.txt"));
    EXPECT_EQ(f.label("lblTitle"), count(3));

    // Already queued: list and count stay, the field shows the dropped path.
    drop(f.cboPath(), files({QStringLiteral("/tmp/a")}));
    EXPECT_EQ(f.items(), three);
    EXPECT_EQ(f.field(), QStringLiteral("/tmp/a"));
    EXPECT_EQ(f.label("lblTitle"), count(3));

    // Links that are not local files are ignored; a drop of only those changes nothing.
    drop(f.cboPath(), {QUrl(QStringLiteral("https://example.org/x")), QUrl::fromLocalFile(QStringLiteral("/tmp/A"))});
    EXPECT_EQ(f.items(), three + QStringList{QStringLiteral("/tmp/A")});
    drop(f.cboPath(), {QUrl(QStringLiteral("https://example.org/y"))});
    EXPECT_EQ(f.items().size(), 4);
    EXPECT_EQ(f.field(), QStringLiteral("/tmp/A"));
}

TEST(frmMainFilling, TheFieldNeverTakesDroppedLinksAsText)
{
    WindowFixture f(QStringLiteral("field-drops"));
    EXPECT_FALSE(f.cboPath()->lineEdit()->acceptDrops());
    EXPECT_TRUE(f.cboPath()->acceptDrops());
    drop(f.cboPath(), files({QStringLiteral("/tmp/one")}));
    EXPECT_EQ(f.cboPath()->lineEdit()->text(), QStringLiteral("/tmp/one"));
}

TEST(frmMainFilling, PasteQueuesTheClipboardText)
{
    WindowFixture f(QStringLiteral("paste"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString text = QStringLiteral(" /tmp/with blanks ");
    clipboard->setText(text);
    f.button("cmdPaste")->click();
    EXPECT_EQ(f.items(), QStringList{text});
    EXPECT_EQ(f.field(), text);
    EXPECT_EQ(f.label("lblTitle"), count(1));

    f.button("cmdPaste")->click();
    EXPECT_EQ(f.items(), QStringList{text});
    EXPECT_EQ(f.label("lblTitle"), count(1));

    // An empty clipboard empties the field and queues nothing.
    clipboard->clear();
    f.button("cmdPaste")->click();
    EXPECT_EQ(f.items(), QStringList{text});
    EXPECT_EQ(f.cboPath()->lineEdit()->text(), QString());
    EXPECT_EQ(f.label("lblTitle"), count(1));

    // Several lines: one entry each, the field showing the last.
    clipboard->setText(QStringLiteral("/tmp/a\r\n\r\nfile:///tmp/b%20c\n"));
    f.button("cmdPaste")->click();
    EXPECT_EQ(f.items(), QStringList({text, QStringLiteral("/tmp/a"), QStringLiteral("/tmp/b c")}));
    EXPECT_EQ(f.field(), QStringLiteral("/tmp/b c"));
}

TEST(frmMainFilling, PasteQueuesAFileListLikeADrop)
{
    WindowFixture f(QStringLiteral("paste-files"));
    // As a file manager copies two folders: a file list, its text form beside it.
    auto* copied = new QMimeData;
    copied->setUrls(files({QStringLiteral("/srv/b"), QStringLiteral("/srv/a b")}));
    copied->setText(QStringLiteral("file:///srv/b\nfile:///srv/a%20b"));
    QGuiApplication::clipboard()->setMimeData(copied);
    f.button("cmdPaste")->click();
    EXPECT_EQ(f.items(), (QStringList{QStringLiteral("/srv/b"), QStringLiteral("/srv/a b")}));
    EXPECT_EQ(f.field(), QStringLiteral("/srv/a b"));
    EXPECT_EQ(f.label("lblTitle"), count(2));

    // A web link on the clipboard is text, taken as written.
    auto* link = new QMimeData;
    link->setUrls({QUrl(QStringLiteral("https://example.org/x"))});
    link->setText(QStringLiteral("https://example.org/x"));
    QGuiApplication::clipboard()->setMimeData(link);
    f.button("cmdPaste")->click();
    EXPECT_EQ(f.items().back(), QStringLiteral("https://example.org/x"));
}

TEST(frmMainFilling, CommandsWorkFromTheKeyboard)
{
    WindowFixture f(QStringLiteral("keyboard"));
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    QGuiApplication::clipboard()->setText(QStringLiteral("/tmp/by-keyboard"));
    f.button("cmdCopy")->setFocus();
    QTest::keyClick(f.button("cmdCopy"), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), f.button("cmdPaste"));
    QTest::keyClick(f.button("cmdPaste"), Qt::Key_Space);
    EXPECT_EQ(f.items(), QStringList{QStringLiteral("/tmp/by-keyboard")});
}

TEST(frmMainFilling, CopyPutsThePathFieldOnTheClipboard)
{
    WindowFixture f(QStringLiteral("copy"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    f.cboPath()->setEditText(QStringLiteral("/srv/typed"));
    f.button("cmdCopy")->click();
    EXPECT_EQ(clipboard->text(), QStringLiteral("/srv/typed"));
    EXPECT_EQ(f.items(), QStringList());

    f.cboPath()->setEditText(QString());
    f.button("cmdCopy")->click();
    EXPECT_EQ(clipboard->text(), QString());
}

TEST(frmMainFilling, BrowseStartsAtTheFieldAndQueuesTheChoice)
{
    WindowFixture f(QStringLiteral("browse"));
    // Empty field: the root goes into it and is the start folder; cancelling leaves it there.
    f.button("cmdBrowse")->click();
    ASSERT_EQ(f.dialog->requests.size(), 1);
    EXPECT_EQ(f.dialog->requests[0].selection, QDir::rootPath());
    EXPECT_EQ(f.dialog->requests[0].title, QStringLiteral("Select a Folder to Erase"));
    EXPECT_TRUE(f.dialog->requests[0].foldersOnly);
    EXPECT_FALSE(f.dialog->requests[0].includeFiles);
    EXPECT_EQ(f.field(), QDir::rootPath());
    EXPECT_EQ(f.items(), QStringList());

    f.cboPath()->setEditText(QStringLiteral("/srv/photos/"));
    f.dialog->answer = QStringLiteral("/srv/photos/2024");
    f.button("cmdBrowse")->click();
    EXPECT_EQ(f.dialog->requests.back().selection, QStringLiteral("/srv/photos"));
    EXPECT_EQ(f.items(), QStringList{QStringLiteral("/srv/photos/2024")});
    EXPECT_EQ(f.field(), QStringLiteral("/srv/photos/2024"));
    EXPECT_EQ(f.label("lblTitle"), count(1));
}

TEST(frmMainErasing, ErasesTheQueueAndReportsMissingFolders)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 2), tree.folder("b", 0), tree.folder("c", 5)};
    const QString missing = tree.path("gone");
    const QString file = tree.file("keep.txt");
    WindowFixture f(QStringLiteral("erase"));
    drop(f.cboPath(), files({folders[0], missing, folders[1], file, folders[2]}));

    QStringList statusWhileErasing;
    QList<Qt::CursorShape> pointerWhileErasing;
    *f.onErase = [&](const QString&) {
        statusWhileErasing << f.label("lblPro");
        pointerWhileErasing << (QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                                  : Qt::ArrowCursor);
    };
    ModalAnswerer boxes;
    ASSERT_TRUE(f.deleteAndWait());

    for (const QString& folder : folders)
        EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_EQ(f.items(), QStringList());
    EXPECT_EQ(f.label("lblTitle"), count(0));
    // The file is no folder and stays, which the status line tells from a clean run.
    EXPECT_TRUE(f.label("lblPro").startsWith(QStringLiteral("1 folder not erased: 16 removed in ")))
        << f.label("lblPro").toStdString();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(statusWhileErasing, QStringList(5, QStringLiteral("Working Erasing all, Wait...")));
    EXPECT_EQ(pointerWhileErasing, QList<Qt::CursorShape>(5, Qt::WaitCursor));

    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.texts(), QStringList({QStringLiteral("Directory... ") + missing + QStringLiteral("... not exist"),
                                          QStringLiteral("Directory... ") + file + QStringLiteral("... is a file, not a folder")}));
    for (const ShownBox& box : boxes.shown) {
        EXPECT_EQ(box.title, QStringLiteral("Zarvok"));
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST(frmMainErasing, AnEmptyQueueChangesNothing)
{
    WindowFixture f(QStringLiteral("erase-empty"));
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_EQ(f.label("lblPro"), QStringLiteral("Ready"));
    EXPECT_EQ(f.label("lblTitle"), QStringLiteral("Folder to Delete (drag and drop):"));
}

TEST(frmMainErasing, ARefusedPathIsReportedAsRefused)
{
    TempTree tree;
    const QString kept = tree.folder("kept", 2);
    // A NUL would make the system read the shorter path, the folder before it.
    const QString paths[] = {QStringLiteral("relative/path"), kept + QChar(0) + QStringLiteral("/inner")};
    for (const QString& path : paths) {
        WindowFixture f(QStringLiteral("erase-failed"));
        QGuiApplication::clipboard()->setText(path);
        f.button("cmdPaste")->click();
        ModalAnswerer boxes;
        ASSERT_TRUE(f.deleteAndWait());
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Directory... ") + path +
                                                   QStringLiteral("... was refused, nothing was erased: ")))
            << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
        EXPECT_EQ(f.items(), QStringList());
        EXPECT_TRUE(QFileInfo::exists(kept + QStringLiteral("/f0")));
    }
}

TEST(frmMainErasing, TypingDuringAPassDoesNotChangeWhatIsErased)
{
    TempTree tree;
    const QString queued = tree.folder("queued", 1);
    const QString typed = tree.folder("typed", 1);
    WindowFixture f(QStringLiteral("erase-typing"));
    drop(f.cboPath(), files({queued}));
    // Typed while the engine works, after the field showed the queued entry.
    *f.onErase = [&](const QString&) {
        f.cboPath()->lineEdit()->selectAll();
        QTest::keyClicks(f.cboPath()->lineEdit(), typed);
    };
    QString fieldWhenErased;
    *f.afterErase = [&](const QString&) { fieldWhenErased = f.field(); };
    ModalAnswerer boxes;
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_EQ(fieldWhenErased, typed);
    EXPECT_FALSE(QFileInfo::exists(queued));
    EXPECT_TRUE(QFileInfo(typed).isDir());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(frmMainErasing, TheWindowPaintsWhileAFolderIsErased)
{
    TempTree tree;
    const QString big = tree.folder("big", 3000);
    WindowFixture f(QStringLiteral("erase-paint"));
    f.window->show();
    QCoreApplication::processEvents();
    drop(f.cboPath(), files({big}));

    struct PaintCounter : QObject {
        HookedEraser* eraser = nullptr;
        int whileBusy = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint && eraser->real().busy())
                ++whileBusy;
            return false;
        }
    } counter;
    counter.eraser = f.eraser;
    f.child("lblPro")->installEventFilter(&counter);
    *f.onErase = [&](const QString&) { f.child("lblPro")->update(); };
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_GT(counter.whileBusy, 0);
    EXPECT_FALSE(QFileInfo::exists(big));
}

TEST(frmMainErasing, AClickDuringAnEraseIsHandledAtOnceAndQueuesBehindTheRun)
{
    TempTree tree;
    const QString folder = tree.folder("slow", 500);
    const QString pasted = tree.folder("pasted meanwhile", 1);
    WindowFixture f(QStringLiteral("erase-click-meanwhile"));
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    drop(f.cboPath(), files({folder}));
    QGuiApplication::clipboard()->setText(pasted);

    *f.onErase = [&](const QString&) {
        // Through the window, as the desktop delivers a click.
        const QPoint centre = f.button("cmdPaste")->mapTo(f.window.get(), QPoint(32, 29));
        QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, {}, centre);
    };
    QStringList queuedWhenErased;
    *f.afterErase = [&](const QString&) { queuedWhenErased = f.items(); };
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_EQ(queuedWhenErased, QStringList({folder, pasted}));
    EXPECT_EQ(f.items(), QStringList{pasted});
    EXPECT_TRUE(QFileInfo(pasted).isDir());
}

