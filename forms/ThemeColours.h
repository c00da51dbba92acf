#pragma once

#include <QColor>

namespace zarvok::forms {

// A designed text colour, lifted towards white on a dark background so that it stays readable;
// on light backgrounds it is used as designed.
QColor readableOn(const QColor& designed, const QColor& background);

} // namespace zarvok::forms
