#!/usr/bin/env bash
# The accessible tree and its announcements through the real AT-SPI bus (see accessibility.py).
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Debian's own Python, which has pyatspi (python3-pyatspi).
dbus-run-session -- /usr/bin/python3 "$E2E_DIR/accessibility.py" "$ZARVOK" "$WORK"
