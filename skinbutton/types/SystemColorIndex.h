#pragma once
// Private: the system colour indices of the stored form's colour references (0x80000000 + index).

namespace skin {

// The system colour indices the control uses: in stored colour references, in the stored
// defaults of its colour properties and in the styles' own shades.
enum SystemColorIndex : int {
    kWindow = 5,
    kWindowText = 8,
    kHighlight = 13,
    kButtonFace = 15,
    kButtonShadow = 16,
    kGrayText = 17,
    kButtonText = 18,
    kButtonHighlight = 20,
    k3DDarkShadow = 21,
    k3DLight = 22,
    kInfoText = 23,
    kInfoBackground = 24,
};

} // namespace skin
