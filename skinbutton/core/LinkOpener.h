#pragma once
// Opening a link or document with the desktop's handler, behind an interface so tests can
// stand in for the desktop.

#include "SkinButtonGlobal.h"

#include <QUrl>

namespace skin {

/// Opens a link or document; SkinButton::OpenLink() and the About box open theirs through one.
class SKINBUTTON_EXPORT LinkOpener {
public:
    virtual ~LinkOpener();
    /// Opens url; false when nothing could open it.
    virtual bool open(const QUrl& url) = 0;
};

/// Opens links with the desktop's handler (QDesktopServices).
class SKINBUTTON_EXPORT DesktopLinkOpener final : public LinkOpener {
public:
    /// Opens url with the desktop's handler.
    bool open(const QUrl& url) override;
};

} // namespace skin
