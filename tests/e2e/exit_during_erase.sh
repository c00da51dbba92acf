#!/usr/bin/env bash
# Closing the window while a large tree is being erased saves the position and ends the
# program at once, without waiting for the erase and without a crash. Closed by the window
# frame's close request ("frame"), by the Exit button ("button"), or by the Exit button while
# the drop-down list is open ("popup": the list, opened at an event point of the erase loop,
# takes every click).
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
first="$WORK/first"
if [ "$how" = popup ]; then
    python3 - "$first" <<'PY'
import os, sys
for d in range(20):
    folder = os.path.join(sys.argv[1], "d%03d" % d)
    os.makedirs(folder)
    for f in range(1000):
        open(os.path.join(folder, "f%04d" % f), "w").close()
PY
fi
# The program's windows on the screen: 2 while the drop-down list is open.
popup_open() { [ "$(xdotool search --onlyvisible --pid "$ZARVOK_PID" 2>/dev/null | wc -l)" -ge 2 ]; }

start_zarvok
xdotool windowmove --sync "$MAIN" 70 80
if [ "$how" = popup ]; then
    set_clipboard "$first"
    click_paste
fi
set_clipboard "$tree"
click_paste
entries=$((1 + 200 + 200 * 1000))
if [ "$how" = popup ]; then
    # Delete and at once the list's arrow, in one go, so that the arrow's click arrives while
    # the first folder is erased. It waits for an event point of the erase loop, where the list
    # opens; the large tree is then erased with the list open.
    xdotool mousemove --window "$MAIN" 104 29 click 1 mousemove --window "$MAIN" 355 138 click 1
else
    xdotool mousemove --window "$MAIN" 104 29 click 1
fi
case "$how" in
button)
    sleep 0.05 # the erase of 200,000 files has begun and takes most of a second or more
    xdotool mousemove --window "$MAIN" 40 29 click 1 ;;
frame)
    sleep 0.05
    close_main ;;
popup)
    wait_for 100 test ! -e "$first" || fail "the first folder was not erased"
    wait_for 30 popup_open || fail "the drop-down list did not open"
    [ -e "$tree" ] || fail "the list opened only after the large tree was erased"
    xdotool mousemove --window "$MAIN" 40 29 click 1 ;;
esac
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
