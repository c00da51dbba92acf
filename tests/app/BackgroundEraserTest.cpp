#include "BackgroundEraser.h"

#include "TempTree.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace zarvok::app;
using zarvok::erase::Status;

TEST(BackgroundEraser, TheEventLoopRunsWhileTheTreeIsErased)
{
    TempTree tree;
    const QString folder = tree.folder("big", 3000);
    BackgroundEraser eraser;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        EXPECT_TRUE(eraser.busy());
    });
    timer.start();
    const auto outcome = eraser.eraseFolder(folder);
    timer.stop();
    EXPECT_EQ(outcome.status, Status::Erased);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_GT(ticks, 0);
    EXPECT_FALSE(eraser.busy());
    EXPECT_EQ(eraser.removedSoFar(), 3000u + 3u); // the files, the sub-folder, its file, the folder
}

TEST(BackgroundEraser, TellsAMissingFolderFromAFailure)
{
    TempTree tree;
    BackgroundEraser eraser;
    EXPECT_EQ(eraser.eraseFolder(tree.path("missing")).status, Status::NoFolder);
    EXPECT_EQ(eraser.eraseFolder(QStringLiteral("relative")).status, Status::Refused);
    const QString folder = tree.folder("again", 1);
    EXPECT_EQ(eraser.eraseFolder(folder).status, Status::Erased);
}

TEST(BackgroundEraser, PointerMovesDuringAnEraseAreCoalesced)
{
    struct MoveCounter : QWidget {
        QList<QPoint> seen;
        void mouseMoveEvent(QMouseEvent* event) override { seen << event->position().toPoint(); }
    } window;
    window.setMouseTracking(true);
    window.resize(200, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(window.windowHandle(), QPoint(1, 1));
    QCoreApplication::processEvents();
    window.seen.clear();

    TempTree tree;
    const QString folder = tree.folder("moved-over", 3000);
    BackgroundEraser eraser;
    QTimer::singleShot(0, [&] {
        for (int i = 2; i < 100; ++i)
            QTest::mouseMove(window.windowHandle(), QPoint(i, i));
    });
    eraser.eraseFolder(folder);
    EXPECT_TRUE(window.seen.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(window.seen, QList<QPoint>{QPoint(99, 99)});
}
