#include "ButtonInteraction.h"

namespace skin {

namespace {

Outcome merge(Outcome a, const Outcome& b)
{
    a.flipValue = a.flipValue != b.flipValue;
    a.repaint = a.repaint || b.repaint;
    a.click = a.click || b.click;
    a.mouseEnter = a.mouseEnter || b.mouseEnter;
    a.mouseLeave = a.mouseLeave || b.mouseLeave;
    return a;
}

} // namespace

Outcome ButtonInteraction::press(int button)
{
    if (button != LeftButton)
        return {};
    m_state = StatePressed;
    return {.repaint = true};
}

Outcome ButtonInteraction::release(int button, Toggle toggle)
{
    Outcome out;
    if (button == LeftButton) {
        m_state = (toggle.isToggle && !toggle.value) ? StatePressed : StateHot;
        out.repaint = true;
    }
    m_lastReleased = button;
    return out;
}

Outcome ButtonInteraction::click(Toggle toggle)
{
    if (m_lastReleased != LeftButton)
        return {};
    Outcome out{.click = true};
    if (toggle.isToggle) {
        out.flipValue = true;
        m_state = StateHot;
        out.repaint = true;
    }
    return out;
}

Outcome ButtonInteraction::mousePress(int button)
{
    m_releaseEndsDoubleClick = false;
    return press(button);
}

Outcome ButtonInteraction::mouseRelease(int button, bool overButton, Toggle toggle)
{
    const bool clicks = overButton && !m_releaseEndsDoubleClick;
    m_releaseEndsDoubleClick = false;
    Outcome out = release(button, toggle);
    if (clicks)
        out = merge(out, click(toggle));
    return out;
}

Outcome ButtonInteraction::mouseDoubleClick(int button)
{
    m_releaseEndsDoubleClick = true;
    if (button != LeftButton || m_lastReleased != LeftButton)
        return {};
    return press(LeftButton);
}

Outcome ButtonInteraction::spaceDown() { return press(LeftButton); }

Outcome ButtonInteraction::spaceUp(Toggle toggle)
{
    const Outcome released = release(LeftButton, toggle);
    return merge(released, click(toggle));
}

Outcome ButtonInteraction::focusChanged(bool hasFocus)
{
    m_hasFocus = hasFocus;
    return {.repaint = true};
}

Outcome ButtonInteraction::pointerEntered()
{
    if (m_pointerInside)
        return {};
    m_pointerInside = true;
    m_state = StateHot;
    return {.repaint = true, .mouseEnter = true};
}

Outcome ButtonInteraction::pointerLeft()
{
    if (!m_pointerInside)
        return {};
    m_pointerInside = false;
    m_state = StateNormal;
    return {.repaint = true, .mouseLeave = true};
}

Outcome ButtonInteraction::reset()
{
    m_state = StateNormal;
    return {.repaint = true};
}

} // namespace skin
