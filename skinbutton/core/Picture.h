#pragma once
/// @file Picture.h
/// A picture as the stored form keeps it: the image and the file or resource it came from.

#include "SkinButtonGlobal.h"

#include <QImage>
#include <QString>

#include <optional>

namespace skin {

/// A picture and where it came from, so that saving a loaded picture writes its path back.
struct SKINBUTTON_EXPORT Picture {
    QString source; ///< resource or file path; empty when the picture was made in memory
    QImage image;   ///< null: no picture

    /// True when there is no picture.
    bool isNull() const { return image.isNull(); }
    /// Same source and same pixels.
    friend bool operator==(const Picture& a, const Picture& b) { return a.source == b.source && a.image == b.image; }
    /// Another source or other pixels.
    friend bool operator!=(const Picture& a, const Picture& b) { return !(a == b); }

    /// Loads an image file or resource (SVG through the Qt SVG image plug-in). An empty path is no
    // picture; a path that cannot be read yields nullopt and the reason.
    static std::optional<Picture> load(const QString& path, QString* error = nullptr);
};

} // namespace skin
