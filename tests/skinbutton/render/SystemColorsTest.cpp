#include "skinbutton/render/SystemColors.h"

#include <gtest/gtest.h>

#include <QPalette>

namespace skin {
namespace {

TEST(SystemColorsTest, ReferencePaletteHoldsTheFixedColours)
{
    const SystemColors colors = SystemColors::reference();
    const std::pair<int, Color> expected[] = {
        {5, 0xFFFFFF},  {8, 0x000000},  {13, rgb(0x00, 0x78, 0xD7)}, {15, 0xF0F0F0},
        {16, 0xA0A0A0}, {17, 0x6D6D6D}, {18, 0x000000},              {20, 0xFFFFFF},
        {21, 0x696969}, {22, 0xE3E3E3}, {23, 0x000000},              {24, rgb(0xFF, 0xFF, 0xE1)},
    };
    for (const auto& [index, color] : expected)
        EXPECT_EQ(colors.color(index), color) << "system colour " << index;
}

TEST(SystemColorsTest, TranslateKeepsRgbAndResolvesSystemCodes)
{
    const SystemColors colors = SystemColors::reference();
    EXPECT_EQ(colors.translate(0x123456), 0x123456);
    EXPECT_EQ(colors.translate(0), 0);
    EXPECT_EQ(colors.translate(Color(0x8000000Fu)), 0xF0F0F0);
    EXPECT_EQ(colors.translate(Color(0x8000000Du)), rgb(0x00, 0x78, 0xD7));
    EXPECT_EQ(TranslateColor(Color(0x80000011u), colors), 0x6D6D6D);
}

TEST(SystemColorsTest, UnknownIndicesTranslateToMinusOne)
{
    const SystemColors colors = SystemColors::reference();
    EXPECT_EQ(colors.translate(Color(0x800000FFu)), kInvalidColor);
    EXPECT_EQ(colors.translate(Color(0x80000003u)), kInvalidColor); // not in the table
    EXPECT_EQ(colors.translate(kInvalidColor), kInvalidColor);
    EXPECT_EQ(colors.color(-1), kInvalidColor);
    EXPECT_EQ(colors.color(1000), kInvalidColor);
}

TEST(SystemColorsTest, PaletteRolesMapToTheirIndices)
{
    QPalette palette;
    const std::tuple<QPalette::ColorGroup, QPalette::ColorRole, int, Color> roles[] = {
        {QPalette::Active, QPalette::Button, 15, rgb(1, 2, 3)},
        {QPalette::Active, QPalette::Dark, 16, rgb(4, 5, 6)},
        {QPalette::Active, QPalette::Light, 20, rgb(7, 8, 9)},
        {QPalette::Active, QPalette::Midlight, 22, rgb(10, 11, 12)},
        {QPalette::Active, QPalette::Shadow, 21, rgb(13, 14, 15)},
        {QPalette::Active, QPalette::Highlight, 13, rgb(16, 17, 18)},
        {QPalette::Active, QPalette::ButtonText, 18, rgb(19, 20, 21)},
        {QPalette::Disabled, QPalette::Text, 17, rgb(22, 23, 24)},
        {QPalette::Active, QPalette::Base, 5, rgb(25, 26, 27)},
        {QPalette::Active, QPalette::WindowText, 8, rgb(28, 29, 30)},
        {QPalette::Active, QPalette::ToolTipText, 23, rgb(31, 32, 33)},
        {QPalette::Active, QPalette::ToolTipBase, 24, rgb(34, 35, 36)},
    };
    for (const auto& [group, role, index, color] : roles)
        palette.setColor(group, role, QColor(redOf(color), greenOf(color), blueOf(color)));

    const SystemColors colors = SystemColors::fromPalette(palette);
    for (const auto& [group, role, index, color] : roles) {
        EXPECT_EQ(colors.color(index), color) << "system colour " << index;
        EXPECT_EQ(colors.translate(systemColorCode(index)), color) << "system colour " << index;
    }
}

} // namespace
} // namespace skin
