#pragma once
// The window's fonts, with free substitutes where the designed ones are not installed:
// Verdana -> DejaVu Sans (fonts-dejavu-core), Arial and MS Sans Serif -> Liberation Sans
// (fonts-liberation2), Arial Black -> DejaVu Sans.

#include <QFont>

namespace zarvok::forms::fonts {

void installSubstitutes();

// The forms' own face, MS Sans Serif.
QFont sansSerif(double points, QFont::Weight weight, bool underline = false);

QFont toolBar();   // MS Sans Serif 8.25 pt bold: the panel, the count label and the path list
QFont header();    // Arial Black 20.25 pt bold italic
QFont hint();      // MS Sans Serif 9.75 pt
QFont status();    // Arial 9.75 pt bold

} // namespace zarvok::forms::fonts
