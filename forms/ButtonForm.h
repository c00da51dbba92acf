#pragma once
// The stored properties of the window's buttons, kept as a JSON resource per window.

#include "skinbutton/core/PropertyBag.h"

#include <QString>

namespace zarvok::forms {

// The stored bag of one control of a form resource, e.g. (":/forms/frmMain.json", "cmdQuit").
// A missing resource or control gives an empty bag and a warning.
skin::PropertyBag storedProperties(const QString& formResource, const QString& controlName);

} // namespace zarvok::forms
