#!/usr/bin/env bash
# Closing the window stores its position in the settings file; the next start opens there.
source "$(dirname "$0")/lib.sh"

position() { xdotool getwindowgeometry "$MAIN" | sed -n 's/.*Position: \([-0-9]*\),\([-0-9]*\).*/\1 \2/p'; }

start_zarvok
[ "$(position)" = "$(( (1280 - 401) / 2 )) $(( (1024 - 204) / 2 ))" ] || fail "first start not centred: $(position)"
xdotool windowmove --sync "$MAIN" 100 150
sleep 0.3
click_exit
wait_for 50 zarvok_ended || fail "Exit did not end the program"
grep -q '^MainLeft=dword:000005dc$' "$SETTINGS" || fail "MainLeft not stored: $(cat "$SETTINGS")"
grep -q '^MainTop=dword:000008ca$' "$SETTINGS" || fail "MainTop not stored: $(cat "$SETTINGS")"

start_zarvok
[ "$(position)" = "100 150" ] || fail "second start at $(position), not at 100 150"
close_main
wait_for 50 zarvok_ended || fail "closing the window did not end the program"
echo "ok"
