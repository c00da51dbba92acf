#pragma once
// The control's own About box.
//
// PLACEHOLDER, replaced at integration by the real panel: only the entry point that
// SkinButton::About() calls is declared here.

namespace skin {

class SkinButton;

// Shows the About box of owner's kind of control.
void showAboutPanel(SkinButton* owner);

} // namespace skin
