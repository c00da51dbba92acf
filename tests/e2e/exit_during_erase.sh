#!/usr/bin/env bash
# Closing the window while a large tree is being erased saves the position and ends the
# program at once, without waiting for the erase and without a crash. Closed by the window
# frame's close request ("frame") or by the Exit button ("button").
how=${1:-frame}
source "$(dirname "$0")/lib.sh"

tree="$WORK/big"
python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
for d in range(200):
    folder = os.path.join(root, "d%03d" % d)
    os.makedirs(folder)
    for f in range(1000):
        open(os.path.join(folder, "f%04d" % f), "w").close()
PY

start_zarvok
xdotool windowmove --sync "$MAIN" 70 80
set_clipboard "$tree"
click_paste
entries=$((1 + 200 + 200 * 1000))
xdotool mousemove --window "$MAIN" 104 29 click 1
sleep 0.05 # the erase of 200,000 files has begun and takes most of a second or more
if [ "$how" = button ]; then
    xdotool mousemove --window "$MAIN" 40 29 click 1
else
    close_main
fi
wait_for 20 zarvok_ended || fail "the program did not end at once"
[ -e "$tree" ] || fail "the erase was waited for (or finished before the window was closed)"
left=$(find "$tree" | wc -l)
[ "$left" -lt "$entries" ] || fail "the erase had not begun when the window was closed"
echo "closed with $left of $entries entries left"
wait "$ZARVOK_PID" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$WORK/zarvok.log")"
grep -qi 'thread' "$WORK/zarvok.log" && fail "complaint about a running thread: $(cat "$WORK/zarvok.log")"
grep -q '^MainLeft=dword:0000041a$' "$SETTINGS" || fail "MainLeft not stored: $(cat "$SETTINGS")"
grep -q '^MainTop=dword:000004b0$' "$SETTINGS" || fail "MainTop not stored: $(cat "$SETTINGS")"
echo "ok"
