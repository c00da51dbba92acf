#pragma once
/// @file StoredFont.h
/// A font as the stored form keeps it.

#include <QFont>

namespace skin {

/// A font as stored: Qt has no character set, so the stored one is carried along unchanged.
struct StoredFont {
    QFont font;      ///< the font
    int charset = 0; ///< the stored character set, kept as it was read
    /// Same font and character set.
    friend bool operator==(const StoredFont& a, const StoredFont& b) { return a.font == b.font && a.charset == b.charset; }
    /// Another font or character set.
    friend bool operator!=(const StoredFont& a, const StoredFont& b) { return !(a == b); }
};

} // namespace skin
