// The run's words: the summary on the status line, what a screen reader hears at the end, and
// the reason given for a folder that stayed.
#include "EraseLoop.h"

#include <gtest/gtest.h>

using namespace zarvok::app;
using zarvok::erase::Outcome;
using zarvok::erase::Status;

TEST(EraseLoop, TheRunSummarySaysWhatWasDone)
{
    const struct {
        RunTally tally;
        const char* text;
    } cases[] = {
        {{0, 272450, 3449, false, {}}, "Erasing Done: 272,450 removed in 3.4 s"},
        {{1, 0, 20, false, {}}, "1 folder not erased: 0 removed in 0.0 s"},
        {{3, 1234567, 125600, false, {}}, "3 folders not erased: 1,234,567 removed in 126 s"},
        {{1, 45120, 2110, true, {}}, "Stopped: 45,120 removed in 2.1 s"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(runSummary(c.tally), QString::fromLatin1(c.text));
    // A screen reader hears which folders stayed, and why.
    const RunTally left{4, 12, 100, false, {"/a: Permission denied (at /a/x)", "/b: Busy", "/c: Busy", "/d: Busy"}};
    EXPECT_EQ(runAnnouncement(left), QStringLiteral("4 folders not erased: 12 removed in 0.1 s. Not erased: /a: Permission denied (at /a/x). "
                                                    "Not erased: /b: Busy. Not erased: /c: Busy. 1 more in Results"));
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
