#include "skinbutton/render/CaptionFormat.h"

#include <gtest/gtest.h>

#include <Qt>

namespace skin {
namespace {

TEST(CaptionFormatTest, AlignmentsMapToSingleLineFlags)
{
    const std::pair<int, int> table[] = {{0, 37}, {1, 36}, {2, 38}, {3, 33}, {4, 41}};
    for (const auto& [align, flags] : table) {
        EXPECT_EQ(captionFormatFor(align, 17), flags) << "CaptionAlign " << align;
        EXPECT_EQ(captionFormatFor(align, 0), flags) << "CaptionAlign " << align;
    }
}

TEST(CaptionFormatTest, OtherAlignmentsKeepThePreviousFlags)
{
    EXPECT_EQ(captionFormatFor(5, 17), 17);
    EXPECT_EQ(captionFormatFor(-1, 0), 0);
    EXPECT_EQ(captionFormatFor(99, 41), 41);
}

TEST(CaptionFormatTest, QtFlagsFollowTheFormat)
{
    const std::pair<int, int> table[] = {
        {37, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine},
        {36, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine},
        {38, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine},
        {33, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine},
        {41, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine},
        // a new control: centred, wrapped, from the top
        {17, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap},
        // a loaded control before its first resize: top left, no wrapping
        {0, Qt::AlignLeft | Qt::AlignTop},
        // vertical placement needs a single line
        {4 | 1, Qt::AlignHCenter | Qt::AlignTop},
    };
    for (const auto& [format, flags] : table)
        EXPECT_EQ(qtTextFlagsFor(format), flags | Qt::TextShowMnemonic) << "format " << format;
}

} // namespace
} // namespace skin
