#include "forms/Accessible.h"

#include <gtest/gtest.h>

// A screen reader speaks the words from the first one that changed: the count, not the label.
TEST(AnnouncedWords, FromTheFirstWordThatChanged)
{
    const struct {
        const char* before;
        const char* after;
        const char* spoken;
    } cases[] = {
        {"Folder to Delete (drag and drop):", "Folder to Delete (drag and drop): 1 in list", " 1 in list"},
        {"Folder to Delete (drag and drop): 9 in list", "Folder to Delete (drag and drop): 10 in list", "10 in list"},
        {"Folder to Delete (drag and drop): 10 in list", "Folder to Delete (drag and drop): 11 in list", "11 in list"},
        {"Working Erasing all, Wait...", "Erasing Done: 3 removed in 0.1 s", "Erasing Done: 3 removed in 0.1 s"},
        {"Working Erasing all, Wait... 1,200 removed", "Working Erasing all, Wait... 1,250 removed", "1,250 removed"},
        {"", "Ready", "Ready"},
    };
    for (const auto& c : cases) {
        const QString after = QString::fromUtf8(c.after);
        EXPECT_EQ(after.mid(zarvok::forms::changedWordsFrom(QString::fromUtf8(c.before), after)), QString::fromUtf8(c.spoken))
            << c.after;
    }
}
