// What the window does while a run is in progress: Stop, input handled at once, the live count,
// and what each folder's outcome leaves behind.
#include "Announcer.h"
#include "EraseProgress.h"
#include "ModalAnswerer.h"
#include "ResultsView.h"
#include "TempTree.h"
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
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
};

} // namespace

TEST(frmMainDuringErase, DeleteBecomesStopAndAStopKeepsTheFolderFirst)
{
    // Stopped by a click on the same button, or by Escape wherever the focus is.
    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Escape" : "click");
        TempTree tree;
        ShownWindow f("erase-stop");
        const QString big = tree.folder("big", 300);
        const QString next = tree.folder("next", 1);
        f.queue(big);
        f.queue(next);
        emit f.button("cmdDelete")->MouseEnter(); // the pointer is on it
        EXPECT_EQ(f.label("lblDisplay"), QStringLiteral("Start Erasing"));
        QString caption, hint, description;
        // Stopped as soon as the engine has started.
        *f.onErase = [&](const QString&) {
            caption = f.button("cmdDelete")->Caption();
            hint = f.label("lblDisplay");
            description = f.button("cmdDelete")->accessibleDescription();
            if (byEscape) {
                f.cboPath()->setFocus();
                QTest::keyClick(f.cboPath(), Qt::Key_Escape);
            } else {
                f.button("cmdDelete")->click();
            }
        };
        f.button("cmdDelete")->click();
        ASSERT_TRUE(f.window->isErasing());
        ASSERT_TRUE(f.waitForRunEnd(1000));
        EXPECT_EQ(caption, QStringLiteral("&Stop"));
        EXPECT_EQ(hint, QStringLiteral("Stop erasing"));
        EXPECT_EQ(description, QStringLiteral("Stop erasing"));
        EXPECT_TRUE(f.label("lblPro").startsWith(QStringLiteral("Stopped: "))) << f.label("lblPro").toStdString();
        EXPECT_EQ(f.items(), QStringList({big, next}));
        EXPECT_TRUE(QFileInfo(big).isDir());
        EXPECT_EQ(f.button("cmdDelete")->Caption(), QStringLiteral("&Delete"));
        EXPECT_EQ(f.label("lblDisplay"), QStringLiteral("Start Erasing"));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        // Delete resumes.
        *f.onErase = {};
        ASSERT_TRUE(f.deleteAndWait());
        EXPECT_FALSE(QFileInfo::exists(big));
        EXPECT_EQ(f.items(), QStringList());
    }
}

TEST(frmMainDuringErase, DropsAndFoldersFromOutsideQueueBehindTheRun)
{
    TempTree tree;
    ShownWindow f("erase-drop-meanwhile");
    const QString folder = tree.folder("slow", 10);
    f.queue(folder);
    const QString dropped = tree.path("dropped meanwhile");
    const QString handed = tree.path("handed over by a second start");
    QStringList queuedWhenErased;
    *f.onErase = [&](const QString&) {
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
    };
    *f.afterErase = [&](const QString&) { queuedWhenErased = f.items(); };
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_EQ(queuedWhenErased, QStringList({folder, dropped, handed}));
    EXPECT_EQ(f.items(), QStringList({dropped, handed}));
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
    // The erase is done, but the run has not heard yet: the count it shows is final.
    *f.afterErase = [&](const QString&) {
        QTest::qWait(EraseProgress::kQuietMs + 2 * EraseProgress::kRefreshMs - int(clock.elapsed()));
        statusLater = f.label("lblPro");
    };
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_EQ(statusAtStart, QStringLiteral("Working Erasing all, Wait..."));
    // The folder, its 1,200 files, the sub-folder and its file.
    EXPECT_EQ(statusLater, QStringLiteral("Working Erasing all, Wait... 1,203 removed"));
    EXPECT_TRUE(f.label("lblPro").startsWith(QStringLiteral("Erasing Done: 1,203 removed in ")))
        << f.label("lblPro").toStdString();
    EXPECT_EQ(progressText(1234567), QStringLiteral("Working Erasing all, Wait... 1,234,567 removed"));
}

TEST(frmMainDuringErase, AFolderNotFullyErasedIsToldOnItsEntryAndInTheResults)
{
    TempTree tree;
    ShownWindow f("erase-results");
    const QString stuck = tree.folder("stuck", 1);
    const QString clean = tree.folder("clean", 2);
    zarvok::erase::Outcome failed;
    failed.status = zarvok::erase::Status::Failed;
    failed.reason = "Device or resource busy";
    failed.failedPath = (stuck + QStringLiteral("/mnt")).toStdString();
    f.eraser->scripted.insert(stuck, failed);
    f.queue(stuck);
    f.queue(clean);
    EXPECT_FALSE(f.child("lblResults")->isVisible());
    ModalAnswerer boxes;
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(f.label("lblPro").startsWith(QStringLiteral("1 folder not erased: "))) << f.label("lblPro").toStdString();
    EXPECT_EQ(f.items(), QStringList{stuck});

    const QString note = QStringLiteral("Not fully erased: 0 removed in 0.0 s\nDevice or resource busy\nFirst entry left: ")
                         + stuck + QStringLiteral("/mnt");
    const QModelIndex entry = f.cboPath()->model()->index(0, 0);
    EXPECT_EQ(entry.data(Qt::ToolTipRole).toString(), note);
    EXPECT_EQ(entry.data(Qt::AccessibleDescriptionRole).toString(), note);

    ASSERT_TRUE(f.child("lblResults")->isVisible());
    // By keyboard: Tab to the link, and Enter at its first stop; a screen reader hears a link.
    for (int tabs = 0; tabs < 20 && QApplication::focusWidget() != f.child("lblResults"); ++tabs)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), f.child("lblResults"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f.child("lblResults"))->role(), QAccessible::Link);
    QTest::keyClick(f.child("lblResults"), Qt::Key_Return);
    auto* view = f.window->findChild<ResultsView*>();
    ASSERT_NE(view, nullptr);
    auto* table = view->findChild<QTreeWidget*>();
    ASSERT_EQ(table->topLevelItemCount(), 2);
    EXPECT_EQ(table->topLevelItem(0)->text(0), stuck);
    EXPECT_EQ(table->topLevelItem(0)->text(2), QStringLiteral("Device or resource busy (at ") + stuck + QStringLiteral("/mnt)"));
    EXPECT_TRUE(table->topLevelItem(1)->text(1).startsWith(QStringLiteral("Erased: 5 removed in ")));
    table->topLevelItem(0)->setSelected(true);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("Folder\tOutcome\tReason\n") + stuck + QStringLiteral("\tNot fully erased: 0 removed in 0.0 s\t")
                  + QStringLiteral("Device or resource busy (at ") + stuck + QStringLiteral("/mnt)\n"));

    // The next run's bar takes the link's place, and the link comes back at the end: nothing
    // covers it, and the status line keeps its room for the count.
    view->close();
    const int lineWidth = f.child("lblPro")->width();
    bool linkDuring = true;
    int lineDuring = 0;
    *f.afterErase = [&](const QString&) {
        linkDuring = f.child("lblResults")->isVisible();
        lineDuring = f.child("lblPro")->width();
    };
    ASSERT_TRUE(f.deleteAndWait());
    EXPECT_FALSE(linkDuring);
    EXPECT_EQ(lineDuring, lineWidth - 124); // the bar and its gap only
    EXPECT_TRUE(f.child("lblResults")->isVisible());
}

TEST(frmMainDuringErase, ASurveyTellsWhatAFolderHoldsAndGivesTheRunItsProgress)
{
    // Surveyed to its end: a bar with the percentage, in the title and on the taskbar too.
    // Delete while the survey still counts: the survey goes on ahead of the erase at normal
    // priority, and the run shows an estimate that says so. A survey the erase has overtaken:
    // a busy bar, and the title and taskbar say nothing.
    enum class Survey { Ended, Counting, Overtaken };
    const struct {
        Survey survey;
        std::uint64_t soFar;
        int barMaximum;
        const char* title;
        std::optional<double> taskbar;
    } cases[] = {
        {Survey::Ended, 0, 100, "97% - Zarvok", 0.97}, // all 33 gone, but the run has not ended
        {Survey::Counting, 65, 100, "about 50% - Zarvok", 0.5}, // 33 of 66
        {Survey::Overtaken, 10, 0, "Zarvok", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        TempTree tree;
        ShownWindow f("erase-surveyed");
        const QString folder = tree.folder("counted", 30);
        f.queue(folder);
        ASSERT_EQ(f.surveyor->started, QStringList{folder});
        if (c.survey == Survey::Ended) {
            zarvok::erase::Survey survey;
            survey.entries = 32;
            survey.bytes = 1'250'000;
            survey.mountPoints = 1;
            survey.firstMountPoint = (folder + QStringLiteral("/mnt")).toStdString();
            f.cboPath()->setEditText(QStringLiteral("/typed meanwhile"));
            f.surveyor->answer(survey);
            EXPECT_EQ(f.field(), QStringLiteral("/typed meanwhile")); // a note changes no text
            EXPECT_EQ(f.label("lblTitle"), countText(1) + QStringLiteral(": 32 items, 1.3 MB"));
            EXPECT_EQ(f.cboPath()->model()->index(0, 0).data(Qt::AccessibleDescriptionRole).toString(),
                      QStringLiteral("32 items, 1.3 MB\n1 mount point inside will stay (") + folder + QStringLiteral("/mnt)"));
        } else {
            EXPECT_EQ(f.label("lblTitle"), countText(1)); // nothing counted yet
            f.surveyor->soFar = c.soFar;
        }
        auto* bar = f.child<QProgressBar>("barProgress");
        int barMaximum = -1;
        QString titleDuring;
        *f.afterErase = [&](const QString&) {
            QTest::qWait(2 * EraseProgress::kRefreshMs);
            barMaximum = bar->isVisible() ? bar->maximum() : -1;
            titleDuring = f.window->windowTitle();
        };
        ASSERT_TRUE(f.deleteAndWait());
        EXPECT_EQ(barMaximum, c.barMaximum);
        EXPECT_EQ(titleDuring, QString::fromLatin1(c.title));
        if (c.survey != Survey::Ended) {
            EXPECT_EQ(f.surveyor->priorities.last(), FolderSurveyor::Priority::Normal) << "the survey runs ahead of the erase";
        }
        EXPECT_FALSE(bar->isVisible());
        EXPECT_EQ(f.window->windowTitle(), QStringLiteral("Zarvok"));
        ASSERT_FALSE(f.desktop->progress.isEmpty());
        EXPECT_TRUE(f.desktop->progress.contains(c.taskbar));
        EXPECT_EQ(f.desktop->progress.back(), std::nullopt);
        EXPECT_EQ(f.label("lblTitle"), countText(0));
    }
}

TEST(frmMainDuringErase, TheEndOfARunIsToldToScreenReadersAndToTheDesktopWhenTheWindowIsAway)
{
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "in the background");
        TempTree tree;
        ShownWindow f("erase-told");
        f.queue(tree.folder("short", 1));
        if (active) {
            f.window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
        } else {
            f.window->hide();
        }
        QString announcedAtStart;
        QWidget* startedOn = nullptr;
        auto* announcer = f.window->findChild<Announcer*>(QStringLiteral("announcer"));
        *f.onErase = [&](const QString&) {
            startedOn = announcer->shownNotification();
            announcedAtStart = startedOn->accessibleName();
        };
        ASSERT_TRUE(f.deleteAndWait());
        EXPECT_EQ(announcedAtStart, QStringLiteral("Working Erasing all, Wait..."));
        QWidget* endedOn = announcer->shownNotification();
        EXPECT_EQ(endedOn->accessibleName(), f.label("lblPro"));
        EXPECT_TRUE(!endedOn->isHidden() && startedOn->isHidden());
        EXPECT_NE(endedOn, startedOn); // a screen reader behind in its reading still tells both
        EXPECT_EQ(QAccessible::queryAccessibleInterface(endedOn)->role(), QAccessible::Notification);
        if (active) {
            EXPECT_TRUE(f.desktop->notified.isEmpty());
            continue;
        }
        ASSERT_EQ(f.desktop->notified, QStringList{QStringLiteral("Zarvok|") + f.label("lblPro")});
        f.desktop->pick();
        EXPECT_TRUE(f.window->isVisible());
    }
}
