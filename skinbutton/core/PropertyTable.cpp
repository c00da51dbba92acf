#include "PropertyTable.h"

#include <array>
#include <stdexcept>

namespace skin {

namespace {

using P = ButtonProperties;
using L = ButtonLook;
using D = PropertyDefault;
using K = PropertyKind;

// The member's own initializer, whether a new button starts with it, saves without it or loads it.
const PropertyDefault kDeclared = D::declared();

const std::array<PropertyRow, 23>& rows()
{
    // clang-format off
    static const std::array<PropertyRow, 23> table{{
        // name, notified, key, kind, member, new button, save default, load default, on write, look
        {"Icon", "Icon", "Icon", K::Picture, &P::icon, kDeclared, D::none(), kDeclared, OnWrite::Relayout, &L::icon},
        {"Style", "Style", "Style", K::Integer, &P::style, kDeclared, D::of(3), D::of(3), OnWrite::Relayout, &L::style},
        {"Caption", "Caption", "Caption", K::Text, &P::caption, D::hostName(), D::of(""), D::of("SkinButton"), OnWrite::Relayout, &L::caption},
        {"IconSize", "IconSize", "IconSize", K::Integer, &P::iconSize, kDeclared, kDeclared, kDeclared, OnWrite::Relayout, &L::iconSize},
        {"CaptionAlign", "CaptionAlign", "CaptionAlign", K::Integer, &P::captionAlign, kDeclared, kDeclared, kDeclared, OnWrite::Relayout, &L::captionAlign},
        {"IconAlign", "IconAlign", "IconAlign", K::Integer, &P::iconAlign, kDeclared, kDeclared, D::of(1), OnWrite::Relayout, &L::iconAlign, true},
        {"NonThemeStyle", "NonThemeStyle", "iNonThemeStyle", K::Integer, &P::nonThemeStyle, kDeclared, D::of(5), D::of(5), OnWrite::Relayout, &L::nonThemeStyle},
        {"Enabled", "Enabled", "Enabled", K::Boolean, &P::enabled, kDeclared, kDeclared, kDeclared, OnWrite::Enabled, {}},
        // A new button shows keyboard focus; the stored form's default stays off, so a form
        // that never wrote the key loads as it always did.
        {"ShowFocus", "ShowFocus", "ShowFocus", K::Boolean, &P::showFocus, kDeclared, D::of(false), D::of(false), OnWrite::Repaint, &L::showFocus},
        {"UseCustomColors", "UseCustomColors", "USeCustomColors", K::Boolean, &P::useCustomColors, kDeclared, kDeclared, kDeclared, OnWrite::Repaint, &L::useCustomColors},
        {"BackColor", "BackColor", "BackColor", K::Colour, &P::backColor, D::system(kButtonFace), D::system(kButtonFace), D::system(kButtonFace), OnWrite::Repaint, &L::backColor},
        {"HighlightColor", "HighlightColor", "HighlightColor", K::Colour, &P::highlightColor, D::system(kHighlight), D::system(kHighlight), D::system(kHighlight), OnWrite::Repaint, &L::highlightColor},
        {"FontColor", "FontColor", "FontColor", K::Colour, &P::fontColor, D::system(kButtonText), D::system(kButtonText), D::system(kButtonText), OnWrite::Repaint, &L::fontColor},
        {"FontHighlightColor", "FontHighlightColor", "FontHighlightColor", K::Colour, &P::fontHighlightColor, D::system(kButtonText), D::system(kButtonText), D::system(kButtonText), OnWrite::Repaint, &L::fontHighlightColor},
        {"ToolTip", "ToolTipText", "ToolTipText", K::Text, &P::toolTip, kDeclared, D::hostToolTip(), D::hostToolTip(), OnWrite::Repaint, {}},
        {"ToolTipTitle", "TooltipTitle", "Tooltiptitle", K::Text, &P::toolTipTitle, kDeclared, D::none(), D::of(""), OnWrite::Repaint, {}},
        {"ToolTipIcon", "TooltipIcon", "ToolTipIcon", K::Integer, &P::toolTipIcon, kDeclared, D::none(), kDeclared, OnWrite::Repaint, {}},
        {"ToolTipType", "ToolTipType", "ToolTipType", K::Integer, &P::toolTipType, kDeclared, D::none(), D::of(1), OnWrite::Repaint, {}},
        // A new button's tooltip colours are 0, the tip's own colours; stored, they default to the
        // opposite system colours: the stored form has always paired them so, and files saved
        // that way must keep loading the same.
        {"ToolTipBackColor", "ToolTipBackColor", "ttBackColor", K::Colour, &P::toolTipBackColor, kDeclared, D::system(kInfoText), D::system(kInfoText), OnWrite::Repaint, {}},
        {"ToolTipForeColor", "ToolTipForeColor", "ttForeColor", K::Colour, &P::toolTipForeColor, kDeclared, D::system(kInfoBackground), D::system(kInfoBackground), OnWrite::Repaint, {}},
        {"Font", "Font", "Font", K::Font, &P::font, D::hostFont(), D::none(), D::hostFont(), OnWrite::Font, &L::font},
        {"ButtonType", "ButtonType", "ButtonType", K::Integer, &P::buttonType, kDeclared, kDeclared, kDeclared, OnWrite::Repaint, &L::buttonType},
        {"value", "Value", "Value", K::Boolean, &P::value, kDeclared, kDeclared, kDeclared, OnWrite::Repaint, &L::value},
    }};
    // clang-format on
    return table;
}

template <class T>
bool storeIf(std::optional<T> value, T& member)
{
    if (value)
        member = std::move(*value);
    return value.has_value();
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

PropertyValue valueOf(const ButtonProperties& p, const PropertyRow& row)
{
    return std::visit(overloaded{
                          [&](int P::*m) {
                              return row.kind == K::Colour ? PropertyValue::colour(p.*m) : PropertyValue(qint32(p.*m));
                          },
                          [&](auto P::*m) { return PropertyValue(p.*m); },
                      },
                      row.member);
}

bool store(const PropertyValue& v, const PropertyRow& row, ButtonProperties& p, QString* why)
{
    return std::visit(overloaded{
                          [&](int P::*m) { return storeIf(row.kind == K::Colour ? v.toColour() : v.toInteger(), p.*m); },
                          [&](bool P::*m) { return storeIf(v.toBoolean(), p.*m); },
                          [&](QString P::*m) { return storeIf(v.toText(), p.*m); },
                          [&](Picture P::*m) { return storeIf(v.toPicture(why), p.*m); },
                          [&](StoredFont P::*m) { return storeIf(v.toFont(), p.*m); },
                      },
                      row.member);
}

PropertyValue resolve(const PropertyDefault& d, const PropertyRow& row, const PropertyHost& host)
{
    switch (d.from) {
    case D::From::Declared:
        return valueOf(ButtonProperties{}, row);
    case D::From::SystemColor:
        return PropertyValue::colour(host.systemColor(d.systemColor));
    case D::From::HostName:
        return PropertyValue(host.name);
    case D::From::HostToolTip:
        return PropertyValue(host.toolTipText);
    case D::From::HostFont:
        return PropertyValue(host.surfaceFont);
    case D::From::None:
    case D::From::Constant:
        break;
    }
    return d.constant;
}

} // namespace skin
