#pragma once
// How a SkinButton's input moves its visual state, its focus flag and its toggle value, and
// when it raises Click. Pure state: the widget feeds events in and applies the outcome
// (flip the value, repaint, raise Click, raise MouseEnter / MouseLeave), in that order.
//
// Visual state: the numbers of VisualState (SkinButtonEnums.h). "toggle" is ButtonType 1, "value" its latched
// value. "last" is the button of the most recent release (1 left, 2 right, 4 middle), 0 before
// any release.
//
// | event                                  | condition             | state | also                      |
// |----------------------------------------|-----------------------|-------|---------------------------|
// | left press                             |                       | 3     | repaint                   |
// | right or middle press                  |                       | -     | nothing                   |
// | left release, off the button           | toggle, value false   | 3     | last := 1; repaint        |
// | left release, off the button           | otherwise             | 2     | last := 1; repaint        |
// | left release over the button           |                       | 2     | last := 1; a toggle's     |
// |                                        |                       |       | value flips; repaint;     |
// |                                        |                       |       | Click                     |
// | right or middle release                |                       | -     | last := button; no Click  |
// | double click (the second press)        | last is 1             | 3     | repaint                   |
// | double click (the second press)        | otherwise             | -     | nothing                   |
// | release that ends a double click       |                       | as a release off the button |
// | Space down (auto-repeat ignored)       |                       | 3     | repaint                   |
// | Space up (auto-repeat ignored)         |                       | as a left release over the button: one Click per press |
// | focus gained / lost                    |                       | -     | focus flag; repaint       |
// | pointer enters (running, first only)   | pointer was outside   | 2     | repaint; MouseEnter       |
// | pointer leaves (running)               | pointer was inside    | 1     | repaint; MouseLeave       |
// | Enabled written, re-enabled, loaded    |                       | 1     | repaint                   |
//
// After every row painting applies its overrides and leaves them stored: design time gives 2
// (except Style 5), a toggle whose value is true gives 3, a disabled button gives 4.
// "Over the button": a release away from the button is a cancelled click, as desktop users expect.

#include "SkinButtonEnums.h"

namespace skin {

enum MouseButtonNumber { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

struct Toggle {
    bool isToggle = false; // ButtonType 1
    bool value = false;
};

struct Outcome {
    bool flipValue = false;
    bool repaint = false;
    bool click = false;
    bool mouseEnter = false;
    bool mouseLeave = false;
};

class ButtonInteraction {
public:
    VisualState state() const { return m_state; }
    void setState(VisualState state) { m_state = state; } // painting writes its overrides back
    bool hasFocus() const { return m_hasFocus; }
    int lastReleased() const { return m_lastReleased; }
    bool pointerInside() const { return m_pointerInside; }

    Outcome mousePress(int button);
    Outcome mouseRelease(int button, bool overButton, Toggle toggle);
    Outcome mouseDoubleClick(int button);
    Outcome spaceDown();
    Outcome spaceUp(Toggle toggle);
    Outcome focusChanged(bool hasFocus);
    Outcome pointerEntered();
    Outcome pointerLeft();
    Outcome reset(); // Enabled written, enabled again, or loaded

private:
    Outcome press(int button);
    Outcome release(int button, Toggle toggle);
    Outcome click(Toggle toggle);

    VisualState m_state = StateUnset;
    bool m_hasFocus = false;
    int m_lastReleased = 0;
    bool m_pointerInside = false;
    bool m_releaseEndsDoubleClick = false;
};

} // namespace skin
