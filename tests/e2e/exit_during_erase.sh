#!/usr/bin/env bash
# Closing the window while a large tree is being erased asks first; answered Yes, it saves the
# position, stops the erase, leaves the run's record and ends the program within a second,
# without a crash. Closed by the window frame's close request ("frame"), by the Exit button
# ("button"), or by the Exit button after the drop-down list was opened during the erase
# ("popup": the list takes the first click outside it, as it does when no erase runs).
how=${1:-frame}
source "$(dirname "$0")/lib.sh"

tree="$WORK/big"
folders=400
# Through the open list the window is closed only at the second click, after the double-click
# time: a larger tree is still being erased when the question is answered.
[ "$how" = popup ] && folders=1000
# Hard links: as many entries to erase as plain files, at a fraction of the time to make them.
python3 - "$tree" "$folders" <<'PY'
import os, sys
root, folders = sys.argv[1], int(sys.argv[2])
for d in range(folders):
    folder = os.path.join(root, "d%03d" % d)
    os.makedirs(folder)
    first = os.path.join(folder, "f0000")
    open(first, "w").close()
    for f in range(1, 1000):
        os.link(first, os.path.join(folder, "f%04d" % f))
PY
# The program's windows on the screen: 2 while the drop-down list is open.
popup_open() { [ "$(xdotool search --onlyvisible --pid "$ZARVOK_PID" 2>/dev/null | wc -l)" -ge 2 ]; }

start_zarvok
xdotool windowmove --sync "$MAIN" 70 80
set_clipboard "$tree"
click_paste
entries=$((1 + folders + folders * 1000))
xdotool mousemove --window "$MAIN" 104 29 click 1
[ "$how" = popup ] && xdotool mousemove --window "$MAIN" 355 138 click 1
case "$how" in
button)
    sleep 0.05 # the erase of 400,000 entries has begun and takes a second or more
    xdotool mousemove --window "$MAIN" 40 29 click 1 ;;
frame)
    sleep 0.05
    close_main ;;
popup)
    wait_for 30 popup_open || fail "the drop-down list did not open"
    [ -e "$tree" ] || fail "the list opened only after the tree was erased"
    xdotool mousemove --window "$MAIN" 40 29 click 1
    wait_for 5 has_box || { sleep 0.3; xdotool mousemove --window "$MAIN" 40 29 click 1; } ;;
esac
answer_box_with y
wait_for 10 zarvok_ended || fail "the program did not end within a second"
[ -e "$tree" ] || fail "the erase was waited for (or finished before the window was closed)"
left=$(find "$tree" | wc -l)
[ "$left" -lt "$entries" ] || fail "the erase had not begun when the window was closed"
echo "closed with $left of $entries entries left"
wait "$ZARVOK_PID" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$WORK/zarvok.log")"
grep -qi 'thread' "$WORK/zarvok.log" && fail "complaint about a running thread: $(cat "$WORK/zarvok.log")"
grep -q "^$tree"$'\t''Stopped' "$HOME/.local/state/zarvok/last-run.txt" || fail "no record of the stopped run: $(cat "$HOME/.local/state/zarvok/last-run.txt")"
grep -q '^MainLeft=dword:0000041a$' "$SETTINGS" || fail "MainLeft not stored: $(cat "$SETTINGS")"
grep -q '^MainTop=dword:000004b0$' "$SETTINGS" || fail "MainTop not stored: $(cat "$SETTINGS")"
echo "ok"
