#include "EraseLoop.h"

#include "BackgroundEraser.h"
#include "TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace zarvok::app;
using zarvok::erase::Outcome;
using zarvok::erase::Status;

namespace {

// Records every step the loop takes, as one line each.
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
    void letEventsRun() override
    {
        steps << QStringLiteral("events");
        if (onEvents)
            onEvents();
    }
    void warn(const QString& text) override
    {
        warnings << text;
        steps << QStringLiteral("warn ") + text;
    }

    QStringList steps, warnings;
    QString status = kStatusReady, pathField;
    bool busy = false, erasing = false;
    std::function<void()> onEvents;

private:
    EraseQueue& m_queue;
};

// The real engine on the worker thread, noting which paths it was given and the pointer then.
class RecordingEraser final : public FolderEraser {
public:
    explicit RecordingEraser(const RecordingView& view)
        : m_view(view)
    {
    }
    Outcome eraseFolder(const QString& path) override
    {
        erased << path;
        busyWhileErasing.append(m_view.busy);
        erasingWhileErasing.append(m_view.erasing);
        if (scripted.contains(path)) {
            m_scriptedLast = true;
            return scripted.value(path);
        }
        m_scriptedLast = false;
        return m_real.eraseFolder(path);
    }
    std::uint64_t removedSoFar() const override { return m_scriptedLast ? 0 : m_real.removedSoFar(); }
    QHash<QString, Outcome> scripted; // answered without touching the disk
    QStringList erased;
    QList<bool> busyWhileErasing, erasingWhileErasing;

private:
    const RecordingView& m_view;
    BackgroundEraser m_real;
    bool m_scriptedLast = false;
};

struct Loop {
    EraseQueue queue;
    RecordingView view{queue};
    RecordingEraser eraser{view};
    EraseLoop loop{queue, view, eraser};
};

} // namespace

TEST(EraseLoop, ErasesEveryQueuedFolderTopFirst)
{
    TempTree tree;
    const QStringList folders = {tree.folder("one", 3), tree.folder("two", 0), tree.folder("three", 40)};
    Loop l;
    l.queue.addAll(folders);
    l.loop.run();
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
}

TEST(EraseLoop, OnePassTakesTheseStepsInOrder)
{
    TempTree tree;
    const QString folder = tree.folder("only", 1);
    Loop l;
    l.queue.add(folder);
    l.loop.run();
    l.view.steps.replaceInStrings(QRegularExpression(QStringLiteral(":.* removed in .* s$")), QString());
    const QStringList expected = {
        QStringLiteral("show ") + folder, QStringLiteral("events"),  // the pass
        QStringLiteral("events"), QStringLiteral("hourglass"),        // DelAll
        QStringLiteral("status ") + kStatusWorking, QStringLiteral("events"),
        QStringLiteral("events"),                                     // DelAll, after erasing
        QStringLiteral("events"), QStringLiteral("status ") + kStatusDone, QStringLiteral("arrow"),
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
    l.queue.addAll({missing, file, link, folder});
    l.loop.run();
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
    // The arrow is back before each warning is shown.
    const qsizetype firstWarning = l.view.steps.indexOf(QStringLiteral("warn ") + notExistMessage(missing));
    EXPECT_EQ(l.view.steps.at(firstWarning - 2), QStringLiteral("arrow"));
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
    l.loop.run();
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

TEST(EraseLoop, AFolderNotFullyErasedStaysQueuedAfterTheOthersAndTheRunSaysSo)
{
    TempTree tree;
    const QString stuck = tree.folder("stuck", 1);
    const QStringList others = {tree.folder("a", 1), tree.folder("b", 1)};
    Loop l;
    Outcome failed;
    failed.status = Status::Failed;
    failed.reason = "Operation not permitted";
    l.eraser.scripted.insert(stuck, failed);
    l.queue.addAll({others[0], stuck, others[1]});
    l.loop.run();
    EXPECT_EQ(l.eraser.erased, QStringList({others[0], stuck, others[1]}));
    EXPECT_EQ(l.view.warnings, QStringList({notErasedMessage(stuck, QStringLiteral("Operation not permitted"))}));
    EXPECT_EQ(l.queue.entries(), QStringList({stuck}));
    EXPECT_TRUE(l.view.status.startsWith(QStringLiteral("1 folder not erased: 8 removed in "))) << l.view.status.toStdString();
    // Delete again retries it, once per run.
    l.loop.run();
    EXPECT_EQ(l.eraser.erased.mid(3), QStringList({stuck}));
    EXPECT_EQ(l.queue.entries(), QStringList({stuck}));
}

TEST(EraseLoop, TheRunSummarySaysWhatWasDone)
{
    const struct {
        RunTally tally;
        const char* text;
    } cases[] = {
        {{0, 272450, 3449}, "Erasing Done: 272,450 removed in 3.4 s"},
        {{1, 0, 20}, "1 folder not erased: 0 removed in 0.0 s"},
        {{3, 1234567, 125600}, "3 folders not erased: 1,234,567 removed in 126 s"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(runSummary(c.tally), QString::fromLatin1(c.text));
}

TEST(EraseLoop, TheReasonNamesTheEntryThatStayedInsideTheFolder)
{
    const struct {
        std::string failedPath;
        QString reason;
    } cases[] = {
        {"/tmp/q/sub/mnt", QStringLiteral("Permission denied (at /tmp/q/sub/mnt)")},
        {"/tmp/q/", QStringLiteral("Permission denied")}, // the folder itself
        {"", QStringLiteral("Permission denied")},
    };
    for (const auto& c : cases) {
        Outcome outcome;
        outcome.status = Status::Failed;
        outcome.reason = "Permission denied";
        outcome.failedPath = c.failedPath;
        EXPECT_EQ(failureReason(outcome, QStringLiteral("/tmp/q")), c.reason);
    }
}

TEST(EraseLoop, TextTypedIntoThePathFieldDuringAPassIsNotErased)
{
    TempTree tree;
    const QString queued = tree.folder("queued", 1);
    const QString typed = tree.folder("typed", 1);
    Loop l;
    l.queue.add(queued);
    l.view.onEvents = [&] { l.view.pathField = typed; };
    l.loop.run();
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
    l.view.onEvents = [&] {
        ++nested;
        l.loop.run();
    };
    l.loop.run();
    EXPECT_GT(nested, 0);
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
    l.view.onEvents = [&] { l.queue.add(late); };
    l.loop.run();
    EXPECT_EQ(l.eraser.erased, QStringList({first}));
    EXPECT_EQ(l.queue.entries(), QStringList({late}));
    EXPECT_TRUE(QFileInfo(late).isDir());
}

TEST(EraseLoop, AnEmptyQueueDoesNothing)
{
    Loop l;
    l.loop.run();
    EXPECT_TRUE(l.view.steps.isEmpty());
    EXPECT_EQ(l.view.status, kStatusReady);
}
