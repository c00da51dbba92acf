#pragma once
/// @file SkinButtonEnums.h
/// The enumerations of SkinButton's properties, with their stored numbers. Installed as
/// <SkinButton/SkinButtonEnums.h>; the renderer draws by the same names, so a number is written
/// down once, here.

#include "SkinButtonGlobal.h"

#include <QObject>

namespace skin {
Q_NAMESPACE_EXPORT(SKINBUTTON_EXPORT)

/// The looks (the Style and NonThemeStyle properties). The numbers are the stored ones; an
/// unlisted number is still accepted and stored, and paints the plain button face.
enum ButtonStyle : int {
    Classic3D = 0,       ///< classic 3-D frame
    Thin3D = 1,          ///< thin 3-D frame
    FlatHover = 2,       ///< flat, framed while the pointer is over it
    Etched = 3,          ///< etched frame
    Highlight = 4,       ///< filled with the highlight colour while hot
    RoundedGradient = 5, ///< rounded corners over a gradient
    SystemTheme = 6,     ///< the desktop theme's push button (NonThemeStyle where there is none)
    FramedGradient = 7,  ///< a gradient inside a frame
    ShadowedBevel = 8,   ///< a bevel with a drop shadow
    GlossyTile = 9,      ///< a glossy tile
    PixelArtGel = 10     ///< the pixel-art gel artwork
};
Q_ENUM_NS(ButtonStyle)

/// Where the caption and the icon sit (CaptionAlign, IconAlign); stored numbers.
enum ButtonAlign : int {
    AlignCenter = 0, ///< centred
    AlignLeft = 1,   ///< at the left
    AlignRight = 2,  ///< at the right
    AlignTop = 3,    ///< at the top
    AlignBottom = 4  ///< at the bottom
};
Q_ENUM_NS(ButtonAlign)

/// A push button, or a toggle button that latches (ButtonType); stored numbers.
enum ButtonKind : int {
    PushButton = 0,  ///< clicks and springs back
    ToggleButton = 1 ///< checkable: each click flips its value
};
Q_ENUM_NS(ButtonKind)

/// The icon in the tooltip's title (ToolTipIcon); stored numbers.
enum TipIcon : int {
    NoTipIcon = 0,          ///< no icon
    InformationTipIcon = 1, ///< information
    WarningTipIcon = 2,     ///< warning
    ErrorTipIcon = 3        ///< error
};
Q_ENUM_NS(TipIcon)

/// The tooltip's shape (ToolTipType); stored numbers.
enum TipShape : int {
    RectangleTip = 0, ///< a rectangle
    BalloonTip = 1    ///< a balloon pointing at the button
};
Q_ENUM_NS(TipShape)

/// The look a button is drawn in at a moment (SkinButton::visualState()). Input moves it,
/// painting settles it and every style draws by it; the numbers are the stored ones.
enum VisualState : int {
    StateUnset = 0,     ///< before the first event
    StateNormal = 1,    ///< at rest
    StateHot = 2,       ///< the pointer is over it
    StatePressed = 3,   ///< pressed, or a toggle that is on
    StateDisabled = 4,  ///< disabled; only ever set by painting
    StateDefaulted = 5, ///< drawn only: at rest, and the window's default button
};
Q_ENUM_NS(VisualState)

} // namespace skin
