#include "EraseLoop.h"

#include "BackgroundEraser.h"
#include "TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace zarvok::app;
using zarvok::erase::Outcome;
using zarvok::erase::Status;

namespace {

// Records every step the loop takes, as one line each; boxes are closed after `boxOpenMs`.
class RecordingView final : public EraseLoopView {
public:
    explicit RecordingView(EraseQueue& queue)
        : m_queue(queue)
    {
    }
    void showEntry(int row) override
    {
        pathField = m_queue.entry(row);
        steps << QStringLiteral("show ") + pathField;
    }
    void setStatus(const QString& text) override
    {
        status = text;
        steps << QStringLiteral("status ") + text;
    }
    void setBusy(bool isBusy) override
    {
        busy = isBusy;
        steps << (isBusy ? QStringLiteral("hourglass") : QStringLiteral("arrow"));
    }
    void setErasing(bool isErasing) override { erasing = isErasing; }
    void warn(const QString& text, std::function<void()> closed) override
    {
        warnings << text;
        steps << QStringLiteral("warn ") + text;
        if (onWarn)
            onWarn();
        QTimer::singleShot(boxOpenMs, [closed = std::move(closed)] { closed(); });
    }

    QStringList steps, warnings;
    QString status = kStatusReady, pathField;
    bool busy = false, erasing = false;
    int boxOpenMs = 0;
    std::function<void()> onWarn;

private:
    EraseQueue& m_queue;
};

// The real engine on the worker thread, noting which paths it was given and the pointer then;
// outcomes scripted per path are answered without touching the disk.
class RecordingEraser final : public FolderEraser {
public:
    explicit RecordingEraser(const RecordingView& view)
        : m_view(view)
    {
        connect(&m_real, &FolderEraser::finished, this, &FolderEraser::finished);
    }
    void start(const QString& path) override
    {
        erased << path;
        busyWhileErasing.append(m_view.busy);
        erasingWhileErasing.append(m_view.erasing);
        m_scriptedLast = scripted.contains(path);
        if (m_scriptedLast)
            QTimer::singleShot(0, this, [this, outcome = scripted.value(path)] { emit finished(outcome); });
        else
            m_real.start(path);
        if (onStart)
            onStart(path); // the engine is at work
    }
    void stop() override { m_real.stop(); }
    std::uint64_t removedSoFar() const override { return m_scriptedLast ? 0 : m_real.removedSoFar(); }
    QHash<QString, Outcome> scripted;
    QStringList erased;
    QList<bool> busyWhileErasing, erasingWhileErasing;
    std::function<void(const QString&)> onStart;

private:
    const RecordingView& m_view;
    BackgroundEraser m_real;
    bool m_scriptedLast = false;
};

struct Loop {
    EraseQueue queue;
    RecordingView view{queue};
    RecordingEraser eraser{view};
    RunResults results;
    EraseLoop loop{queue, view, eraser, results};

    // Starts a run and waits for its end.
    bool run()
    {
        loop.start();
        return QTest::qWaitFor([this] { return !loop.running(); }, 30000);
    }
};

} // namespace

TEST(EraseLoop, ErasesEveryQueuedFolderTopFirst)
{
    TempTree tree;
    const QStringList folders = {tree.folder("one", 3), tree.folder("two", 0), tree.folder("three", 40)};
    Loop l;
    l.queue.addAll(folders);
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, folders);
    for (const QString& folder : folders)
        EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
    EXPECT_EQ(l.queue.count(), 0);
    // Each folder holds its files, a sub-folder and a file in it: 6 + 3 + 43 entries.
    EXPECT_TRUE(l.view.status.startsWith(kStatusDone + QStringLiteral(": 52 removed in "))) << l.view.status.toStdString();
    EXPECT_TRUE(l.view.warnings.isEmpty());
    EXPECT_EQ(l.eraser.busyWhileErasing, QList<bool>({true, true, true}));
    EXPECT_EQ(l.eraser.erasingWhileErasing, QList<bool>({true, true, true}));
    EXPECT_FALSE(l.view.busy);
    EXPECT_FALSE(l.view.erasing);
    ASSERT_EQ(l.results.all().size(), 3);
    EXPECT_EQ(outcomeText(*l.results.find(folders[2])).left(24), QStringLiteral("Erased: 43 removed in 0."));
}

TEST(EraseLoop, OnePassTakesTheseStepsInOrder)
{
    TempTree tree;
    const QString folder = tree.folder("only", 1);
    Loop l;
    l.queue.add(folder);
    ASSERT_TRUE(l.run());
    l.view.steps.replaceInStrings(QRegularExpression(QStringLiteral(":.* removed in .* s$")), QString());
    const QStringList expected = {
        QStringLiteral("show ") + folder, QStringLiteral("hourglass"), QStringLiteral("status ") + kStatusWorking,
        QStringLiteral("status ") + kStatusDone, QStringLiteral("arrow"),
    };
    EXPECT_EQ(l.view.steps, expected);
}

TEST(EraseLoop, MissingFoldersFilesAndLinksAreReportedAsSuchAndTakenOffTheQueue)
{
    TempTree tree;
    const QString missing = tree.path("not-there");
    const QString file = tree.file("plain.txt");
    const QString link = tree.path("link");
    ASSERT_TRUE(QFile::link(tree.folder("target", 1), link));
    const QString folder = tree.folder("real", 2);
    Loop l;
    l.view.boxOpenMs = 300; // the user takes a while to answer each box
    l.queue.addAll({missing, file, link, folder});
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.view.warnings, QStringList({QStringLiteral("Directory... ") + missing + QStringLiteral("... not exist"),
                                            QStringLiteral("Directory... ") + file + QStringLiteral("... is a file, not a folder"),
                                            QStringLiteral("Directory... ") + link
                                                + QStringLiteral("... is a symbolic link, not a folder")}));
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_TRUE(QFileInfo(tree.path("target")).isDir());
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(l.queue.count(), 0);
    // A missing folder is as gone as an erased one; the file and the link stand.
    EXPECT_TRUE(l.view.status.startsWith(QStringLiteral("2 folders not erased: 5 removed in "))) << l.view.status.toStdString();
    // The arrow is back before each warning is shown, and the boxes' time is not the run's.
    const qsizetype firstWarning = l.view.steps.indexOf(QStringLiteral("warn ") + notExistMessage(missing));
    EXPECT_EQ(l.view.steps.at(firstWarning - 1), QStringLiteral("arrow"));
    EXPECT_LT(l.loop.tally().elapsedMs, 3 * l.view.boxOpenMs);
}

TEST(EraseLoop, ARefusedPathIsReportedAsRefusedWithNothingErased)
{
    TempTree tree;
    const QString after = tree.folder("after", 1);
    Loop l;
    // The engine refuses a relative path and the home folder itself.
    const QStringList refused = {QStringLiteral("relative/folder"), QDir::homePath()};
    l.queue.addAll(refused);
    l.queue.add(after);
    ASSERT_TRUE(l.run());
    ASSERT_EQ(l.view.warnings.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QString prefix = QStringLiteral("Directory... ") + refused[i] + QStringLiteral("... was refused, nothing was erased: ");
        EXPECT_TRUE(l.view.warnings[i].startsWith(prefix)) << l.view.warnings[i].toStdString();
        EXPECT_GT(l.view.warnings[i].size(), prefix.size()) << "no reason given";
    }
    EXPECT_TRUE(QFileInfo(QDir::homePath()).isDir());
    EXPECT_FALSE(QFileInfo::exists(after));
    EXPECT_EQ(l.queue.count(), 0);
    EXPECT_TRUE(l.view.status.startsWith(QStringLiteral("2 folders not erased: "))) << l.view.status.toStdString();
}

TEST(EraseLoop, AFolderNotFullyErasedDoesNotHaltTheRunAndStaysQueuedAfterTheOthers)
{
    TempTree tree;
    const QString stuck = tree.folder("stuck", 1);
    const QStringList others = {tree.folder("a", 1), tree.folder("b", 1)};
    Loop l;
    Outcome failed;
    failed.status = Status::Failed;
    failed.reason = "Operation not permitted";
    failed.failedPath = (stuck + QStringLiteral("/sub/mnt")).toStdString();
    l.eraser.scripted.insert(stuck, failed);
    l.queue.addAll({others[0], stuck, others[1]});
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, QStringList({others[0], stuck, others[1]}));
    EXPECT_TRUE(l.view.warnings.isEmpty());
    EXPECT_EQ(l.queue.entries(), QStringList({stuck}));
    EXPECT_TRUE(l.view.status.startsWith(QStringLiteral("1 folder not erased: 8 removed in "))) << l.view.status.toStdString();
    const FolderResult* result = l.results.find(stuck);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(resultNote(*result), QStringLiteral("Not fully erased: 0 removed in 0.0 s\nOperation not permitted\n"
                                                  "First entry left: ")
                                       + stuck + QStringLiteral("/sub/mnt"));
    // Delete again retries it, once per run.
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased.mid(3), QStringList({stuck}));
    EXPECT_EQ(l.queue.entries(), QStringList({stuck}));
}

TEST(EraseLoop, AStopLeavesTheFolderFirstInTheQueueAndDeleteResumes)
{
    TempTree tree;
    const QString big = tree.folder("big", 300);
    const QString next = tree.folder("next", 1);
    Loop l;
    l.queue.addAll({big, next});
    // Stopped as soon as the engine has started; once more, as a second press would.
    l.eraser.onStart = [&](const QString&) {
        l.loop.stop();
        l.loop.stop();
    };
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, QStringList({big}));
    EXPECT_TRUE(l.view.status.startsWith(QStringLiteral("Stopped: "))) << l.view.status.toStdString();
    EXPECT_EQ(l.queue.entries(), QStringList({big, next}));
    EXPECT_TRUE(QFileInfo(big).isDir());
    EXPECT_TRUE(QFileInfo(next).isDir());
    EXPECT_FALSE(l.view.busy);
    EXPECT_EQ(l.results.find(big)->kind, FolderResult::Kind::Stopped);

    l.eraser.onStart = {};
    ASSERT_TRUE(l.run());
    EXPECT_FALSE(QFileInfo::exists(big));
    EXPECT_FALSE(QFileInfo::exists(next));
    EXPECT_EQ(l.queue.count(), 0);
    EXPECT_TRUE(l.view.status.startsWith(kStatusDone)) << l.view.status.toStdString();
}

TEST(EraseLoop, AStopWhileABoxIsOpenEndsTheRunWhenItCloses)
{
    TempTree tree;
    const QString missing = tree.path("gone");
    const QString after = tree.folder("after", 1);
    Loop l;
    l.view.boxOpenMs = 50;
    l.view.onWarn = [&] { l.loop.stop(); };
    l.queue.addAll({missing, after});
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.view.warnings.size(), 1);
    EXPECT_EQ(l.queue.entries(), QStringList({after}));
    EXPECT_TRUE(QFileInfo(after).isDir());
    EXPECT_TRUE(l.view.status.startsWith(QStringLiteral("Stopped: "))) << l.view.status.toStdString();
}

TEST(EraseLoop, TextTypedIntoThePathFieldDuringAPassIsNotErased)
{
    TempTree tree;
    const QString queued = tree.folder("queued", 1);
    const QString typed = tree.folder("typed", 1);
    Loop l;
    l.queue.add(queued);
    l.eraser.onStart = [&](const QString&) { l.view.pathField = typed; };
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, QStringList({queued}));
    EXPECT_FALSE(QFileInfo::exists(queued));
    EXPECT_TRUE(QFileInfo(typed).isDir());
}

TEST(EraseLoop, ASecondDeleteDuringARunIsIgnored)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 1), tree.folder("b", 1), tree.folder("c", 1)};
    Loop l;
    l.queue.addAll(folders);
    int nested = 0;
    l.eraser.onStart = [&](const QString&) {
        ++nested;
        l.loop.start();
    };
    ASSERT_TRUE(l.run());
    EXPECT_EQ(nested, 3);
    EXPECT_EQ(l.eraser.erased, folders);
    EXPECT_EQ(l.queue.count(), 0);
    EXPECT_TRUE(l.view.warnings.isEmpty());
    EXPECT_FALSE(l.loop.running());
}

TEST(EraseLoop, EntriesAddedDuringARunWaitForTheNextRun)
{
    TempTree tree;
    const QString first = tree.folder("first", 1);
    const QString late = tree.folder("late", 1);
    Loop l;
    l.queue.add(first);
    l.eraser.onStart = [&](const QString&) { l.queue.add(late); };
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, QStringList({first}));
    EXPECT_EQ(l.queue.entries(), QStringList({late}));
    EXPECT_TRUE(QFileInfo(late).isDir());
}

TEST(EraseLoop, AnEmptyQueueDoesNothing)
{
    Loop l;
    l.loop.start();
    EXPECT_FALSE(l.loop.running());
    EXPECT_TRUE(l.view.steps.isEmpty());
    EXPECT_EQ(l.view.status, kStatusReady);
}

// Waiting folders taken off during a run are not erased, and a folder queued after them still
// waits for the next run: the run does not fill the passes they leave with it.
TEST(EraseLoop, FoldersTakenOffDuringARunAreLeftAloneAndLateOnesStillWait)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 1), tree.folder("b", 1), tree.folder("c", 1), tree.folder("d", 1)};
    const QString late = tree.folder("late", 1);
    Loop l;
    l.queue.addAll(folders);
    l.eraser.onStart = [&](const QString& path) {
        if (path != folders[0])
            return;
        EXPECT_TRUE(l.loop.takenByRun(0));
        EXPECT_FALSE(l.loop.takenByRun(1));
        l.queue.removeAt(2); // "c"
        l.queue.removeFrom(1); // "b" and "d": the list cleared but for the folder being erased
        l.queue.add(late);
    };
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, QStringList({folders[0]}));
    EXPECT_EQ(l.queue.entries(), QStringList({late}));
    for (const QString& kept : {folders[1], folders[2], folders[3], late})
        EXPECT_TRUE(QFileInfo(kept).isDir()) << kept.toStdString();
    EXPECT_FALSE(l.loop.takenByRun(0));
}

// One waiting folder taken off: the others of the run are still erased.
TEST(EraseLoop, TheOtherWaitingFoldersAreStillErased)
{
    TempTree tree;
    const QStringList folders = {tree.folder("a", 1), tree.folder("b", 1), tree.folder("c", 1)};
    Loop l;
    l.queue.addAll(folders);
    l.eraser.onStart = [&](const QString& path) {
        if (path == folders[0])
            l.queue.removeAt(1);
    };
    ASSERT_TRUE(l.run());
    EXPECT_EQ(l.eraser.erased, QStringList({folders[0], folders[2]}));
    EXPECT_EQ(l.queue.count(), 0);
    EXPECT_TRUE(QFileInfo(folders[1]).isDir());
}
