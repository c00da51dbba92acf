#include "SystemColors.h"

#include <QPalette>

namespace skin {

namespace {

struct PaletteRole {
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr PaletteRole kPaletteRoles[] = {
    {kWindow, QPalette::Active, QPalette::Base},
    {kWindowText, QPalette::Active, QPalette::WindowText},
    {kHighlight, QPalette::Active, QPalette::Highlight},
    {kButtonFace, QPalette::Active, QPalette::Button},
    {kButtonShadow, QPalette::Active, QPalette::Dark},
    {kGrayText, QPalette::Disabled, QPalette::Text},
    {kButtonText, QPalette::Active, QPalette::ButtonText},
    {kButtonHighlight, QPalette::Active, QPalette::Light},
    {k3DDarkShadow, QPalette::Active, QPalette::Shadow},
    {k3DLight, QPalette::Active, QPalette::Midlight},
    {kInfoText, QPalette::Active, QPalette::ToolTipText},
    {kInfoBackground, QPalette::Active, QPalette::ToolTipBase},
};

struct ReferenceColor {
    int index;
    Color color;
};

constexpr ReferenceColor kReferenceColors[] = {
    {kWindow, rgb(0xFF, 0xFF, 0xFF)},      {kWindowText, rgb(0x00, 0x00, 0x00)},
    {kHighlight, rgb(0x00, 0x78, 0xD7)},   {kButtonFace, rgb(0xF0, 0xF0, 0xF0)},
    {kButtonShadow, rgb(0xA0, 0xA0, 0xA0)}, {kGrayText, rgb(0x6D, 0x6D, 0x6D)},
    {kButtonText, rgb(0x00, 0x00, 0x00)},  {kButtonHighlight, rgb(0xFF, 0xFF, 0xFF)},
    {k3DDarkShadow, rgb(0x69, 0x69, 0x69)}, {k3DLight, rgb(0xE3, 0xE3, 0xE3)},
    {kInfoText, rgb(0x00, 0x00, 0x00)},    {kInfoBackground, rgb(0xFF, 0xFF, 0xE1)},
};

} // namespace

SystemColors::SystemColors() { m_table.fill(kInvalidColor); }

SystemColors SystemColors::reference()
{
    SystemColors colors;
    for (const ReferenceColor& entry : kReferenceColors)
        colors.set(entry.index, entry.color);
    return colors;
}

SystemColors SystemColors::fromPalette(const QPalette& palette)
{
    SystemColors colors;
    for (const PaletteRole& entry : kPaletteRoles) {
        const QColor c = palette.color(entry.group, entry.role);
        colors.set(entry.index, rgb(c.red(), c.green(), c.blue()));
    }
    return colors;
}

Color SystemColors::color(int index) const
{
    if (index < 0 || index >= kTableSize)
        return kInvalidColor;
    return m_table[std::size_t(index)];
}

Color SystemColors::translate(Color c) const
{
    if ((c & kSystemColorFlag) == 0)
        return c;
    const unsigned index = unsigned(c) & 0x7FFFFFFFu;
    if (index >= unsigned(kTableSize))
        return kInvalidColor;
    return color(int(index));
}

} // namespace skin
