#pragma once
// Every colour a style or the caption asks for, by its role. Whether a role comes from the
// control's custom colours or from the desktop's system colours is decided here and nowhere
// else, so renderers hold no palette look-ups or colour literals of their own.

#include "ButtonLook.h"
#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"
#include "SystemColors.h"

#include <QImage>
#include <QRect>

#include <optional>

namespace skin {

class ButtonColors {
public:
    ButtonColors(const ButtonLook& look, const SystemColors& system);

    const SystemColors& system() const { return m_system; }

    // BackColor, or the button face.
    Color base() const;
    // HighlightColor, or the button face (the hot face of the classic styles).
    Color hot() const;
    // HighlightColor, or the system highlight (the border of the highlight style).
    Color accent() const;
    // accent() as a frame on face: the system highlight is lifted or deepened until it stands
    // out at 3:1 (a dark palette's deep blue on its dark faces); custom colours stay as chosen.
    Color accentOn(Color face) const;
    // HighlightColor, or the button face lifted a little (the non-normal shadowed-bevel face).
    Color liftedHot() const;
    // Etched faces: halfway to the pressed colour when hot; HighlightColor or button shadow when pressed.
    Color etchedHotFace() const;
    Color etchedPressedFace() const;

    Color buttonFace() const { return m_system.color(kButtonFace); }
    Color buttonShadow() const { return m_system.color(kButtonShadow); }
    Color window() const { return m_system.color(kWindow); }
    Color highlight() const { return m_system.color(kHighlight); }
    // The default button's outline: the window's text colour, which stands out on the window.
    Color defaultFrame() const { return m_system.color(kWindowText); }
    // Under fixed light artwork: the light reference palette's button face, whatever the desktop's.
    static Color lightArtworkFace();

    // Caption colour for a visual state: grey text when disabled, FontColor / FontHighlightColor
    // with custom colours, else the system button text (or the light palette's, see below).
    Color caption(VisualState state) const;

    // Where a face painted from fixed light artwork leaves the system button text below 4.5:1
    // (a dark palette's light text), the caption takes the light reference palette's text
    // instead, unless that text colour was chosen for the button. face is the painted face;
    // area the caption's rectangle on it.
    void keepCaptionLegible(const QImage& face, const QRect& area);

    // The flat grey of an icon's hover shadow.
    static constexpr Color kSilhouette = rgb(0x80, 0x80, 0x80);

private:
    bool m_custom;
    Color m_back;
    Color m_highlight;
    Color m_font;
    Color m_fontHighlight;
    bool m_captionChosen;
    std::optional<Color> m_legibleText;
    const SystemColors& m_system;
};

} // namespace skin
