#include "LinkOpener.h"

#include <QDesktopServices>

namespace skin {

bool DesktopLinkOpener::open(const QUrl& url) { return QDesktopServices::openUrl(url); }

} // namespace skin
