#include "ButtonColors.h"

#include "ButtonLook.h"
#include "ColorMath.h"

#include <algorithm>

namespace skin {

namespace {

constexpr int kLiftedHotShift = 15;
constexpr double kLegibleContrast = 4.5; // WCAG AA for text

// The darkest and lightest luminance of the face in the middle of area, where the caption sits.
struct LuminanceRange {
    double low = 1.0;
    double high = 0.0;

    // The contrast of text of luminance l against the least favourable part of the range.
    double worstContrast(double l) const { return std::min(ContrastRatio(l, low), ContrastRatio(l, high)); }
};

LuminanceRange faceLuminance(const QImage& face, const QRect& area)
{
    const QRect middle = area.adjusted(area.width() / 4, area.height() / 4, -area.width() / 4, -area.height() / 4) & face.rect();
    LuminanceRange range;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(face.constScanLine(y));
        for (int x = middle.left(); x <= middle.right(); ++x) {
            const double l = RelativeLuminance(rgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
            range.low = std::min(range.low, l);
            range.high = std::max(range.high, l);
        }
    }
    return range;
}

} // namespace

ButtonColors::ButtonColors(const ButtonLook& look, const SystemColors& system)
    : m_custom(look.useCustomColors)
    , m_back(look.backColor)
    , m_highlight(look.highlightColor)
    , m_font(look.fontColor)
    , m_fontHighlight(look.fontHighlightColor)
    , m_captionChosen(look.captionColorChosen)
    , m_system(system)
{
}

Color ButtonColors::base() const { return m_custom ? m_back : buttonFace(); }

Color ButtonColors::hot() const { return m_custom ? m_highlight : buttonFace(); }

Color ButtonColors::accent() const { return m_custom ? m_highlight : m_system.color(kHighlight); }

Color ButtonColors::accentOn(Color face) const
{
    constexpr double kVisibleFrame = 3.0; // WCAG's contrast for a focus indicator
    return m_custom ? accent() : ColorLegibleOn(accent(), face, kVisibleFrame);
}

Color ButtonColors::liftedHot() const
{
    return m_custom ? m_highlight : ShiftColor(buttonFace(), kLiftedHotShift);
}

Color ButtonColors::etchedHotFace() const
{
    return m_custom ? BlendColors(m_highlight, m_back) : BlendColors(buttonShadow(), buttonFace());
}

Color ButtonColors::etchedPressedFace() const { return m_custom ? m_highlight : buttonShadow(); }

Color ButtonColors::caption(VisualState state) const
{
    if (state == StateDisabled)
        return TranslateColor(systemColorCode(kGrayText), m_system);
    if (!m_custom)
        return m_legibleText.value_or(m_system.color(kButtonText));
    return state == StateNormal ? m_font : m_fontHighlight;
}

Color ButtonColors::lightArtworkFace()
{
    static const Color face = SystemColors::reference().color(kButtonFace);
    return face;
}

void ButtonColors::keepCaptionLegible(const QImage& face, const QRect& area)
{
    static const Color lightPaletteText = SystemColors::reference().color(kButtonText);
    const Color text = m_system.color(kButtonText);
    if (m_custom || m_captionChosen || text == lightPaletteText)
        return;
    const LuminanceRange range = faceLuminance(face, area);
    if (range.low > range.high)
        return; // no face under the caption
    const double current = range.worstContrast(RelativeLuminance(text));
    if (current < kLegibleContrast && range.worstContrast(RelativeLuminance(lightPaletteText)) > current)
        m_legibleText = lightPaletteText;
}

} // namespace skin
