#pragma once
// Renders buttons exactly as a SkinButton paints itself: a real widget, brought into each state
// by the events that put a button there, whose surface is taken as it is.

#include "GalleryOptions.h"

#include <QImage>

namespace gallery {

// One button; with mask, pixels outside its window shape are transparent.
QImage renderButton(const Options& options);
// Every style (rows) in every state (columns), labelled.
QImage renderSheet(const Options& options);

} // namespace gallery
