// PLACEHOLDER, replaced at integration by the real About panel; it shows nothing yet.
#include "AboutPanel.h"

namespace skin {

void showAboutPanel(SkinButton*) {}

} // namespace skin
