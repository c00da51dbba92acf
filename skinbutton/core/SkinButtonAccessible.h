#pragma once
// SkinButton as assistive technology sees it: a push button named by its caption (without the
// mnemonic marks), checkable when it is a toggle button, whose press action clicks it.

class QWidget;

namespace skin {

// Registers the accessibility factory once per process.
void installSkinButtonAccessibility();

void notifyAccessibleNameChanged(QWidget* button);
void notifyAccessibleValueChanged(QWidget* button);

} // namespace skin
