#pragma once
/// @file SkinButtonVersion.h
/// The SkinButton library's version. The major number is the SONAME's: it changes only when
/// the ABI breaks (\ref abipolicy "the ABI policy").

/// The major version: programs built against 4.x run with any later 4.y.
#define SKINBUTTON_VERSION_MAJOR 4
/// The minor version: grows with additions to the API.
#define SKINBUTTON_VERSION_MINOR 1
/// The patch version: fixes that change no interface.
#define SKINBUTTON_VERSION_PATCH 0
/// The version as text, "major.minor.patch".
#define SKINBUTTON_VERSION_STRING "4.1.0"
/// The version as one number, 0xMMNNPP, to compare with SKINBUTTON_VERSION_CHECK().
#define SKINBUTTON_VERSION \
    ((SKINBUTTON_VERSION_MAJOR << 16) | (SKINBUTTON_VERSION_MINOR << 8) | SKINBUTTON_VERSION_PATCH)
/// A version as one number, for `#if SKINBUTTON_VERSION >= SKINBUTTON_VERSION_CHECK(4, 1, 0)`.
#define SKINBUTTON_VERSION_CHECK(major, minor, patch) (((major) << 16) | ((minor) << 8) | (patch))
