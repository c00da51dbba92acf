#pragma once
// The window's fonts, with free substitutes where the designed ones are not installed:
// Verdana -> DejaVu Sans (fonts-dejavu-core), Arial and MS Sans Serif -> Liberation Sans
// (fonts-liberation2), Arial Black -> DejaVu Sans.

#include <QFont>

namespace zarvok::app::fonts {

void installSubstitutes();

QFont toolBar();   // MS Sans Serif 8.25 pt bold: the panel, the count label and the path list
QFont header();    // Arial Black 20.25 pt bold italic
QFont hint();      // MS Sans Serif 9.75 pt
QFont status();    // Arial 9.75 pt bold

} // namespace zarvok::app::fonts
