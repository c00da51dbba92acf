// What 4.0 exported and 4.1 no longer declares in its public headers, kept exported so that
// programs built against 4.0 still run (the ABI holds within a major version).
#define SKINBUTTON_BUILD_REMOVED_API
#include "SkinButton.h"
#include "SkinButton_p.h"

namespace skin {

bool SkinButton::hasFocusFlag() const { return hasFocusFlagOf(*this); }
int SkinButton::lastReleasedButton() const { return lastReleasedButtonOf(*this); }
QImage SkinButton::surfaceImage() const { return surfaceImageOf(*this); }

} // namespace skin
