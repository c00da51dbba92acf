#pragma once
// The visual states a button is drawn in, as the control stores and reports them
// (SkinButton::visualState()). Input moves the state (ButtonInteraction), painting settles it
// and every style draws by it; the numbers are the stored ones and never change.

namespace skin {

enum VisualState {
    StateUnset = 0, // before the first event
    StateNormal = 1,
    StateHot = 2,
    StatePressed = 3,
    StateDisabled = 4,  // only ever set by painting
    StateDefaulted = 5, // drawn only: normal, and the window's default button
};

} // namespace skin
