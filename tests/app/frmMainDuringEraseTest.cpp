// What the window does with input and with the status line while a folder is being erased.
#include "EraseProgress.h"
#include "TempTree.h"
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace zarvok::app;

namespace {

struct ShownWindow : WindowFixture {
    explicit ShownWindow(const char* name)
        : WindowFixture(QString::fromLatin1(name))
    {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void queue(const QString& path)
    {
        cboPath()->setEditText(path);
        button("cmdCopy")->click();
        button("cmdPaste")->click();
    }
    QPoint exitCentre() const { return button("cmdQuit")->mapToGlobal(QPoint(32, 29)); }
};

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TEST(frmMainDuringErase, ExitGoesThroughAnOpenDropDownList)
{
    // Pressed on Exit; released on Exit, off it (no click then), or on it after the erase ended.
    enum class Release { OnExit, OffExit, AfterTheErase };
    for (const Release how : {Release::OnExit, Release::OffExit, Release::AfterTheErase}) {
        SCOPED_TRACE(static_cast<int>(how));
        TempTree tree;
        ShownWindow f("erase-exit-popup");
        f.cboPath()->addItem(QStringLiteral("/tmp/second entry")); // something to drop down
        f.queue(tree.folder("long", 3000));
        QSignalSpy clicks(f.button("cmdQuit"), &skin::SkinButton::Click);
        QPointer<QWindow> popup;
        bool openAfterPress = false;
        const auto release = [&](QPoint at) { QTest::mouseRelease(popup, Qt::LeftButton, {}, popup->mapFromGlobal(at)); };
        *f.onErase = [&](const QString&) {
            f.cboPath()->showPopup();
            QTimer::singleShot(0, [&] {
                popup = f.cboPath()->view()->window()->windowHandle();
                ASSERT_TRUE(popup != nullptr && popup->isVisible());
                // The desktop hands a click anywhere to the open list; this one is over Exit.
                QTest::mousePress(popup, Qt::LeftButton, {}, popup->mapFromGlobal(f.exitCentre()));
                // Closed now, the list would give up the pointer and the release could be lost.
                openAfterPress = popup->isVisible();
                if (how != Release::AfterTheErase)
                    release(how == Release::OnExit ? f.exitCentre() : f.exitCentre() + QPoint(0, 60));
            });
        };
        int exitsWhenErased = -1;
        *f.afterErase = [&](const QString&) { exitsWhenErased = f.exits; };
        f.button("cmdDelete")->click();
        EXPECT_TRUE(openAfterPress);
        EXPECT_EQ(exitsWhenErased, how == Release::OnExit ? 1 : 0); // while the folder was still being erased
        if (how == Release::AfterTheErase) {
            ASSERT_TRUE(popup != nullptr);
            release(f.exitCentre());
        }
        EXPECT_EQ(clicks.count(), how == Release::OffExit ? 0 : 1);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST(frmMainDuringErase, DropsFoldersFromOutsideAndInputMethodTextWaitForTheNextEventPoint)
{
    TempTree tree;
    ShownWindow f("erase-held-drop");
    const QString folder = tree.folder("slow", 3000);
    f.queue(folder);
    const QString dropped = tree.path("dropped meanwhile");
    const QString handed = tree.path("handed over by a second start");
    QStringList queuedWhenErased;
    QString fieldWhenErased;
    *f.onErase = [&](const QString&) {
        QTimer::singleShot(0, [&] {
            // As the desktop hands a drop to the window.
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(dropped)});
            const QPointF where = f.cboPath()->mapTo(f.window.get(), QPointF(20, 10));
            QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(f.window->windowHandle(), &enter);
            QDropEvent drop(where, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(f.window->windowHandle(), &drop);
            EXPECT_TRUE(drop.isAccepted());
            EXPECT_EQ(drop.dropAction(), Qt::CopyAction); // nothing of the source's is moved

            f.window->takeFoldersFromOutside({handed});

            QInputMethodEvent composed;
            composed.setCommitString(QStringLiteral("-typed"));
            QCoreApplication::sendEvent(f.cboPath(), &composed);
        });
    };
    // Where the typed text arrives, and whether the erase was still running then.
    struct TypedText : QObject {
        HookedEraser* eraser = nullptr;
        QList<bool>* busy = nullptr;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::InputMethod)
                busy->append(eraser->real().busy());
            return false;
        }
    } typed;
    QList<bool> typedWhileBusy;
    typed.eraser = f.eraser;
    typed.busy = &typedWhileBusy;
    f.cboPath()->installEventFilter(&typed);
    *f.afterErase = [&](const QString&) {
        queuedWhenErased = f.items();
        fieldWhenErased = f.field();
    };
    f.button("cmdDelete")->click();
    EXPECT_EQ(queuedWhenErased, QStringList{folder});
    EXPECT_EQ(fieldWhenErased, folder);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.items(), QStringList({dropped, handed}));
    EXPECT_EQ(typedWhileBusy, QList<bool>{false});
}

TEST(frmMainDuringErase, ALongEraseShowsTheRemovedCount)
{
    TempTree tree;
    ShownWindow f("erase-progress");
    f.queue(tree.folder("counted", 1200));
    QString statusAtStart, statusLater;
    QElapsedTimer clock;
    *f.onErase = [&](const QString&) {
        clock.start();
        statusAtStart = f.label("lblPro");
    };
    // The erase is done, but the window is still waiting on it: the count it shows is final.
    *f.afterErase = [&](const QString&) {
        runEventsFor(EraseProgress::kQuietMs + 2 * EraseProgress::kRefreshMs - int(clock.elapsed()));
        statusLater = f.label("lblPro");
    };
    f.button("cmdDelete")->click();
    EXPECT_EQ(statusAtStart, QStringLiteral("Working Erasing all, Wait..."));
    // The folder, its 1,200 files, the sub-folder and its file.
    EXPECT_EQ(statusLater, QStringLiteral("Working Erasing all, Wait... 1,203 removed"));
    EXPECT_TRUE(f.label("lblPro").startsWith(QStringLiteral("Erasing Done: 1,203 removed in ")))
        << f.label("lblPro").toStdString();
    EXPECT_EQ(progressText(1234567), QStringLiteral("Working Erasing all, Wait... 1,234,567 removed"));
}
