#include "LinkOpener.h"

#include <QDesktopServices>

namespace skin {

LinkOpener::~LinkOpener() = default;

bool DesktopLinkOpener::open(const QUrl& url) { return QDesktopServices::openUrl(url); }

} // namespace skin
