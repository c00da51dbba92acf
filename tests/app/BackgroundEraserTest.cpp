#include "BackgroundEraser.h"

#include "TempTree.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace zarvok::app;
using zarvok::erase::Outcome;
using zarvok::erase::Status;

namespace {

// Waits for the one finished() of the erase started; its outcome.
Outcome outcomeOf(QSignalSpy& finished)
{
    EXPECT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.count(), 1);
    return finished.isEmpty() ? Outcome{} : finished.takeFirst().at(0).value<Outcome>();
}

} // namespace

TEST(BackgroundEraser, TheEventLoopRunsWhileTheTreeIsErased)
{
    TempTree tree;
    const QString folder = tree.folder("big", 3000);
    BackgroundEraser eraser;
    QSignalSpy finished(&eraser, &FolderEraser::finished);
    int ticks = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks += eraser.busy() ? 1 : 0; });
    timer.start();
    eraser.start(folder);
    EXPECT_TRUE(finished.isEmpty()) << "reported from inside start()";
    EXPECT_EQ(outcomeOf(finished).status, Status::Erased);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_GT(ticks, 0);
    EXPECT_FALSE(eraser.busy());
    EXPECT_EQ(eraser.removedSoFar(), 3000u + 3u); // the files, the sub-folder, its file, the folder
}

TEST(BackgroundEraser, TellsAMissingFolderFromARefusalAndAnErase)
{
    TempTree tree;
    const struct {
        QString path;
        Status status;
    } cases[] = {
        {tree.path("missing"), Status::NoFolder},
        {QStringLiteral("relative"), Status::Refused},
        {tree.folder("again", 1), Status::Erased},
    };
    BackgroundEraser eraser;
    for (const auto& c : cases) {
        QSignalSpy finished(&eraser, &FolderEraser::finished);
        eraser.start(c.path);
        EXPECT_EQ(outcomeOf(finished).status, c.status) << c.path.toStdString();
    }
}

TEST(BackgroundEraser, AStopEndsTheEraseWithTheFolderStanding)
{
    TempTree tree;
    const QString folder = tree.folder("stopped", 2000);
    BackgroundEraser eraser;
    QSignalSpy finished(&eraser, &FolderEraser::finished);
    eraser.start(folder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return eraser.removedSoFar() > 0; }, 10000));
    eraser.stop();
    eraser.stop(); // a second press changes nothing
    const Outcome outcome = outcomeOf(finished);
    EXPECT_EQ(outcome.error, std::make_error_code(std::errc::operation_canceled));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(BackgroundEraser, DestroyedWhileErasingItStopsTheEngineAndReportsNothing)
{
    TempTree tree;
    const QString folder = tree.folder("abandoned", 2000);
    int reports = 0;
    QElapsedTimer clock;
    {
        auto eraser = std::make_unique<BackgroundEraser>();
        QObject::connect(eraser.get(), &FolderEraser::finished, [&] { ++reports; });
        eraser->start(folder);
        ASSERT_TRUE(QTest::qWaitFor([&] { return eraser->removedSoFar() > 0; }, 10000));
        clock.start();
    }
    EXPECT_LT(clock.elapsed(), BackgroundEraser::kStopWaitMs);
    QTest::qWait(20);
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
