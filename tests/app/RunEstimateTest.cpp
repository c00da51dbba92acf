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
}
