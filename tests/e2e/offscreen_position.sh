#!/usr/bin/env bash
# A stored position that leaves the window partly off the screen (stored at a smaller scale or
# on a larger screen) opens it moved just enough to be wholly on the 1280x1024 screen.
source "$(dirname "$0")/lib.sh"

position() { xdotool getwindowgeometry "$MAIN" | sed -n 's/.*Position: \([-0-9]*\),\([-0-9]*\).*/\1 \2/p'; }

mkdir -p "$(dirname "$SETTINGS")"
# 1100 and 950 pixels, in twips.
printf '[Main]\nMainLeft=dword:%08x\nMainTop=dword:%08x\n' $((1100 * 15)) $((950 * 15)) >"$SETTINGS"
start_zarvok
[ "$(position)" = "$((1280 - 401)) $((1024 - 204))" ] || fail "opened at $(position)"
echo "ok"
