#include "ButtonColors.h"

#include "ButtonLook.h"
#include "ColorMath.h"

namespace skin {

namespace {

constexpr int kLiftedHotShift = 15;

} // namespace

ButtonColors::ButtonColors(const ButtonLook& look, const SystemColors& system)
    : m_custom(look.useCustomColors)
    , m_back(look.backColor)
    , m_highlight(look.highlightColor)
    , m_font(look.fontColor)
    , m_fontHighlight(look.fontHighlightColor)
    , m_system(system)
{
}

Color ButtonColors::base() const { return m_custom ? m_back : buttonFace(); }

Color ButtonColors::hot() const { return m_custom ? m_highlight : buttonFace(); }

Color ButtonColors::accent() const { return m_custom ? m_highlight : m_system.color(kHighlight); }

Color ButtonColors::liftedHot() const
{
    return m_custom ? m_highlight : ShiftColor(buttonFace(), kLiftedHotShift);
}

Color ButtonColors::etchedHotFace() const
{
    return m_custom ? BlendColors(m_highlight, m_back) : BlendColors(buttonShadow(), buttonFace());
}

Color ButtonColors::etchedPressedFace() const { return m_custom ? m_highlight : buttonShadow(); }

Color ButtonColors::caption(int state) const
{
    if (state == kStateDisabled)
        return TranslateColor(systemColorCode(kGrayText), m_system);
    if (!m_custom)
        return m_system.color(kButtonText);
    return state == kStateNormal ? m_font : m_fontHighlight;
}

} // namespace skin
