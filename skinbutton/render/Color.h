#pragma once
// The colour type is part of the control's public interface, so it lives with the public headers.
#include "skinbutton/core/Color.h"
