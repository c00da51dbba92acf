#pragma once
// The colour type is part of the control's public interface, so it lives with the public headers;
// the system colour indices are the renderer's and the stored form's own.
#include "skinbutton/core/Color.h"
#include "skinbutton/core/SystemColorIndex.h"
