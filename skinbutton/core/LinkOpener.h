#pragma once
// Opening a link or document with the desktop's handler, behind an interface so tests can
// stand in for the desktop.

#include <QUrl>

namespace skin {

class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual bool open(const QUrl& url) = 0;
};

class DesktopLinkOpener final : public LinkOpener {
public:
    bool open(const QUrl& url) override;
};

} // namespace skin
