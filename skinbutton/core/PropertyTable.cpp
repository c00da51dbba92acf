#include "PropertyTable.h"

#include <array>
#include <stdexcept>

namespace skin {

namespace {

using P = ButtonProperties;
using L = ButtonLook;
using D = StoredDefault;
using K = PropertyKind;

const std::array<PropertyRow, 23>& rows()
{
    // clang-format off
    static const std::array<PropertyRow, 23> table{{
        // name, notified, key, kind, member, save default, load default, on write, look
        {"Icon", "Icon", "Icon", K::PictureValue, &P::icon, D::none(), D::of(Picture{}), OnWrite::Relayout, &L::icon},
        {"Style", "Style", "Style", K::Integer, &P::style, D::of(3), D::of(3), OnWrite::Relayout, &L::style},
        {"Caption", "Caption", "Caption", K::Text, &P::caption, D::of(""), D::of("SkinButton"), OnWrite::Relayout, &L::caption},
        {"IconSize", "IconSize", "IconSize", K::Integer, &P::iconSize, D::of(16), D::of(16), OnWrite::Relayout, &L::iconSize},
        {"CaptionAlign", "CaptionAlign", "CaptionAlign", K::Integer, &P::captionAlign, D::of(0), D::of(0), OnWrite::Relayout, &L::captionAlign},
        {"IconAlign", "IconAlign", "IconAlign", K::Integer, &P::iconAlign, D::of(0), D::of(1), OnWrite::Relayout, &L::iconAlign, true},
        {"NonThemeStyle", "NonThemeStyle", "iNonThemeStyle", K::Integer, &P::nonThemeStyle, D::of(5), D::of(5), OnWrite::Relayout, &L::nonThemeStyle},
        {"Enabled", "Enabled", "Enabled", K::Boolean, &P::enabled, D::of(true), D::of(true), OnWrite::Enabled, {}},
        {"ShowFocus", "ShowFocus", "ShowFocus", K::Boolean, &P::showFocus, D::of(false), D::of(false), OnWrite::Repaint, &L::showFocus},
        {"UseCustomColors", "UseCustomColors", "USeCustomColors", K::Boolean, &P::useCustomColors, D::of(false), D::of(false), OnWrite::Repaint, &L::useCustomColors},
        {"BackColor", "BackColor", "BackColor", K::ColorValue, &P::backColor, D::system(SysColor::ButtonFace), D::system(SysColor::ButtonFace), OnWrite::Repaint, &L::backColor},
        {"HighlightColor", "HighlightColor", "HighlightColor", K::ColorValue, &P::highlightColor, D::system(SysColor::Highlight), D::system(SysColor::Highlight), OnWrite::Repaint, &L::highlightColor},
        {"FontColor", "FontColor", "FontColor", K::ColorValue, &P::fontColor, D::system(SysColor::ButtonText), D::system(SysColor::ButtonText), OnWrite::Repaint, &L::fontColor},
        {"FontHighlightColor", "FontHighlightColor", "FontHighlightColor", K::ColorValue, &P::fontHighlightColor, D::system(SysColor::ButtonText), D::system(SysColor::ButtonText), OnWrite::Repaint, &L::fontHighlightColor},
        {"ToolTip", "ToolTipText", "ToolTipText", K::Text, &P::toolTip, D::hostToolTip(), D::hostToolTip(), OnWrite::Repaint, {}},
        {"ToolTipTitle", "TooltipTitle", "Tooltiptitle", K::Text, &P::toolTipTitle, D::none(), D::of(""), OnWrite::Repaint, {}},
        {"ToolTipIcon", "TooltipIcon", "ToolTipIcon", K::Integer, &P::toolTipIcon, D::none(), D::of(0), OnWrite::Repaint, {}},
        {"ToolTipType", "ToolTipType", "ToolTipType", K::Integer, &P::toolTipType, D::none(), D::of(1), OnWrite::Repaint, {}},
        // The tooltip colours default to the opposite system colours; the stored form has always
        // paired them so, and files saved that way must keep loading the same.
        {"ToolTipBackColor", "ToolTipBackColor", "ttBackColor", K::ColorValue, &P::toolTipBackColor, D::system(SysColor::ToolTipText), D::system(SysColor::ToolTipText), OnWrite::Repaint, {}},
        {"ToolTipForeColor", "ToolTipForeColor", "ttForeColor", K::ColorValue, &P::toolTipForeColor, D::system(SysColor::ToolTipBack), D::system(SysColor::ToolTipBack), OnWrite::Repaint, {}},
        {"Font", "Font", "Font", K::FontValue, &P::font, D::none(), D::hostFont(), OnWrite::Font, &L::font},
        {"ButtonType", "ButtonType", "ButtonType", K::Integer, &P::buttonType, D::of(0), D::of(0), OnWrite::Repaint, &L::buttonType},
        {"value", "Value", "Value", K::Boolean, &P::value, D::of(false), D::of(false), OnWrite::Repaint, &L::value},
    }};
    // clang-format on
    return table;
}

} // namespace

std::span<const PropertyRow> propertyTable() { return rows(); }

const PropertyRow& propertyRow(const PropertyMember& member)
{
    for (const PropertyRow& row : rows())
        if (row.member == member)
            return row;
    throw std::logic_error("SkinButton: a property member without a row in the property table");
}

void copyToLook(const ButtonProperties& props, ButtonLook& look)
{
    const auto copy = overloaded{
        [&](int P::*from, int L::*to) { look.*to = props.*from; },
        [&](bool P::*from, bool L::*to) { look.*to = props.*from; },
        [&](QString P::*from, QString L::*to) { look.*to = props.*from; },
        [&](Picture P::*from, QImage L::*to) { look.*to = (props.*from).image; },
        [&](StoredFont P::*from, QFont L::*to) { look.*to = (props.*from).font; },
        [](auto, std::monostate) {},
        [](auto, auto) { throw std::logic_error("SkinButton: a property and its look field differ in type"); },
    };
    for (const PropertyRow& row : rows())
        std::visit(copy, row.member, row.look);
}

} // namespace skin
