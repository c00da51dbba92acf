#pragma once
/// @file SkinButtonGlobal.h
/// The export macro of the SkinButton library, and its version (SkinButtonVersion.h).

#include "SkinButtonVersion.h"

#include <QtGlobal>

/// @def SKINBUTTON_EXPORT
/// Marks a class or function of the library's ABI. The library is built with hidden visibility:
/// what does not carry this macro is not exported.
#if defined(SKINBUTTON_STATIC)
#define SKINBUTTON_EXPORT
#elif defined(SKINBUTTON_BUILDING_LIBRARY)
#define SKINBUTTON_EXPORT Q_DECL_EXPORT
#else
#define SKINBUTTON_EXPORT Q_DECL_IMPORT
#endif
