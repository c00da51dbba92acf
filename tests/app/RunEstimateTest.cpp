#include "FolderSurveys.h"
#include "RunEstimate.h"

#include <gtest/gtest.h>

using namespace zarvok::app;

TEST(RunEstimate, PercentAndTimeLeftFollowThePaceSoFar)
{
    const struct {
        std::uint64_t total, removed;
        qint64 elapsedMs;
        std::optional<int> percent;
        const char* left;
    } cases[] = {
        {0, 500, 5000, std::nullopt, ""},    // not surveyed
        {1000, 370, 500, 37, ""},           // the first second says no time
        {1000, 250, 2000, 25, "6 s left"},  // 6 s at 125 a second
        {1000, 999, 60000, 99, "1 s left"}, // never 100% while something is left
        {1000, 1000, 9000, 100, ""},
        {1000000, 10000, 6000, 1, "10 min left"},
    };
    for (const auto& c : cases) {
        const RunEstimate estimate(c.total);
        EXPECT_EQ(estimate.percent(c.removed), c.percent) << c.total << " " << c.removed;
        EXPECT_EQ(estimate.timeLeft(c.removed, c.elapsedMs), QString::fromLatin1(c.left)) << c.total << " " << c.removed;
    }
}

// The run's extent from the folders it has yet to finish: exact once every survey ended before
// its folder's erase began, an estimate otherwise, unknown when the erase overtook the count.
TEST(RunEstimate, ComesFromTheFoldersLeft)
{
    const struct {
        QList<FolderExtent> left;
        std::uint64_t removedSoFar, removedInCurrent;
        bool estimatedBefore;
        QString shown;
    } cases[] = {
        {{{100, true}, {100, true}}, 50, 50, false, "25%"},
        {{{100, true}}, 150, 50, false, "75%"},          // a folder of 100 erased before
        {{{100, true}}, 150, 50, true, "about 75%"},     // ... before its survey ended
        {{{100, false}, {0, false}}, 50, 50, false, "about 50%"}, // still counting; the next one waits
        {{{40, false}}, 50, 50, false, ""},              // the erase passed the count
        {{{100, true}}, 130, 130, false, "99%"},         // more than counted: never 100% before the end
        {{{0, true}, {20, true}}, 0, 0, false, "0%"},    // no folder at the first path
    };
    for (const auto& c : cases)
        EXPECT_EQ(estimateRun(c.left, c.removedSoFar, c.removedInCurrent, c.estimatedBefore).percentText(c.removedSoFar), c.shown)
            << c.removedSoFar << " " << c.removedInCurrent;
}

TEST(FolderSurveys, SizesReadAsFileManagersShowThem)
{
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {{0, "0 bytes"}, {1, "1 byte"}, {1023, "1,023 bytes"}, {4096, "4.1 KB"}, {1'250'000, "1.3 MB"},
                 {120'400'000'000, "120 GB"}};
    for (const auto& c : cases)
        EXPECT_EQ(sizeText(c.bytes), QString::fromLatin1(c.text));
    EXPECT_EQ(contentsText(40000, 0, true), QStringLiteral("40,000 items so far"));
    EXPECT_EQ(contentsText(40000, std::nullopt, false), QStringLiteral("40,000 items")); // counted without sizes
}
