#include "EraseQueue.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace zarvok::app;

namespace {
QStringList L(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}
} // namespace

TEST(KillCBDupes, KeepsTheFirstCopyOfEachText)
{
    struct Case {
        QStringList in, out;
    };
    const Case cases[] = {
        {L({"A", "B", "A", "A", "C"}), L({"A", "B", "C"})},
        {L({}), L({})},
        {L({"A"}), L({"A"})},
        {L({"A", "A", "A"}), L({"A"})},
        {L({"C:\\Temp", "c:\\temp"}), L({"C:\\Temp", "c:\\temp"})},
        {L({"/tmp/a", "/tmp/a/", "/tmp/a"}), L({"/tmp/a", "/tmp/a/"})},
        {L({" x", "x", "x "}), L({" x", "x", "x "})},
        {L({"B", "A", "B", "C", "A"}), L({"B", "A", "C"})},
    };
    for (const Case& c : cases) {
        QStringList list = c.in;
        KillCBDupes(list);
        EXPECT_EQ(list, c.out) << c.in.join(QLatin1Char(',')).toStdString();
    }
}

TEST(EraseQueue, CountText)
{
    EXPECT_EQ(countText(0), QStringLiteral("Folder to Delete (drag and drop): 0 in list"));
    EXPECT_EQ(countText(12345), QStringLiteral("Folder to Delete (drag and drop): 12345 in list"));
}

TEST(EraseQueue, AddingAppendsNewTextsInOrderAndLeavesQueuedOnesAlone)
{
    EraseQueue queue;
    QSignalSpy counts(&queue, &EraseQueue::countChanged);
    queue.addAll(L({"/a", "/b", "/a", "/c"}));
    EXPECT_EQ(queue.entries(), L({"/a", "/b", "/c"}));
    queue.add(QStringLiteral("/b"));
    EXPECT_EQ(queue.entries(), L({"/a", "/b", "/c"}));
    queue.add(QStringLiteral("/B"));
    EXPECT_EQ(queue.entries(), L({"/a", "/b", "/c", "/B"}));
    ASSERT_EQ(counts.size(), 3); // after every addition, even one that changed nothing
    EXPECT_EQ(counts[0][0].toInt(), 3);
    EXPECT_EQ(counts[1][0].toInt(), 3);
    EXPECT_EQ(counts[2][0].toInt(), 4);
}

TEST(EraseQueue, EmptyTextNeverEntersTheQueue)
{
    EraseQueue queue;
    queue.add(QString());
    queue.addAll(L({"", "/a", ""}));
    EXPECT_EQ(queue.entries(), L({"/a"}));
}

TEST(EraseQueue, RemovingTheTopLetsItsTextBeQueuedAgain)
{
    EraseQueue queue;
    queue.addAll(L({"/a", "/b"}));
    QSignalSpy counts(&queue, &EraseQueue::countChanged);
    queue.removeFirst();
    EXPECT_EQ(queue.entries(), L({"/b"}));
    ASSERT_EQ(counts.size(), 1);
    EXPECT_EQ(counts[0][0].toInt(), 1);
    queue.add(QStringLiteral("/a"));
    EXPECT_EQ(queue.entries(), L({"/b", "/a"}));
    queue.removeFirst();
    queue.removeFirst();
    queue.removeFirst(); // on an empty queue: nothing
    EXPECT_EQ(queue.count(), 0);
}

TEST(EraseQueue, ServesAsTheListModel)
{
    EraseQueue queue;
    QSignalSpy inserted(&queue, &QAbstractItemModel::rowsInserted);
    queue.addAll(L({"/a", "/b", "/a"}));
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 1);
    EXPECT_EQ(queue.rowCount(), 2);
    EXPECT_EQ(queue.data(queue.index(1), Qt::DisplayRole).toString(), QStringLiteral("/b"));
    EXPECT_FALSE(queue.data(queue.index(5), Qt::DisplayRole).isValid());
}

TEST(EraseQueue, StaysExactThroughManyAdditionsAndRemovals)
{
    EraseQueue queue;
    QStringList all;
    for (int i = 0; i < 3000; ++i)
        all << QStringLiteral("/data/%1").arg(i);
    queue.addAll(all + all);
    ASSERT_EQ(queue.entries(), all);
    for (int i = 0; i < 2000; ++i)
        queue.removeFirst();
    // The removed texts come back at the end; the ones still queued stay where they are.
    queue.addAll(all);
    EXPECT_EQ(queue.entries(), all.mid(2000) + all.mid(0, 2000));
    for (int round = 0; round < 5; ++round) {
        queue.removeFirst();
        queue.add(queue.entry(0)); // already queued: nothing changes
        queue.add(QStringLiteral("/fresh/%1").arg(round));
    }
    EXPECT_EQ(queue.count(), 3000 - 5 + 5);
    EXPECT_EQ(queue.entry(0), all.at(2005));
    EXPECT_EQ(queue.entries().back(), QStringLiteral("/fresh/4"));
}

// Taken off below the top, the rest keep their order, a removed text can come back (at the
// end), and the ones still queued are still known as queued.
TEST(EraseQueue, TakingEntriesOffAnywhereKeepsTheRestExact)
{
    EraseQueue queue;
    queue.addAll(L({"/a", "/b", "/c", "/d", "/e"}));
    queue.removeFirst(); // the sequence numbers no longer start at 0
    QSignalSpy counts(&queue, &EraseQueue::countChanged);
    QSignalSpy removed(&queue, &QAbstractItemModel::rowsRemoved);
    queue.removeAt(1); // "/c"
    EXPECT_EQ(queue.entries(), L({"/b", "/d", "/e"}));
    ASSERT_EQ(counts.size(), 1);
    EXPECT_EQ(counts[0][0].toInt(), 3);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    queue.addAll(L({"/d", "/e", "/b", "/c"})); // only "/c" is new
    EXPECT_EQ(queue.entries(), L({"/b", "/d", "/e", "/c"}));
    EXPECT_EQ(queue.rowOf(QStringLiteral("/e")), 2);
    EXPECT_EQ(queue.rowOf(QStringLiteral("/zz")), -1);

    queue.removeFrom(1);
    EXPECT_EQ(queue.entries(), L({"/b"}));
    queue.removeAt(7);  // out of range: nothing
    queue.removeAt(-1);
    queue.removeFrom(4);
    EXPECT_EQ(queue.entries(), L({"/b"}));
    queue.addAll(L({"/b", "/d"}));
    EXPECT_EQ(queue.entries(), L({"/b", "/d"}));
    queue.removeAt(0);
    queue.removeFrom(0);
    EXPECT_EQ(queue.count(), 0);
    queue.add(QStringLiteral("/b"));
    EXPECT_EQ(queue.entries(), L({"/b"}));
}
