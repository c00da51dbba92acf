#!/usr/bin/env bash
# Two folders dragged from the pcmanfm file manager onto the path list are queued in the file
# manager's order (the field shows the last one), and Delete erases both.
source "$(dirname "$0")/lib.sh"

files="$WORK/files"
mkdir -p "$files/alpha/inner" "$files/beta"
touch "$files/alpha/inner/x" "$files/beta/y"

# The file manager at the top left; Zarvok beside it, where its settings put it.
place_zarvok_beside_file_manager
start_file_manager "$files"
start_zarvok
[ "$(xdotool getwindowgeometry "$MAIN" | sed -n 's/.*Position: //p' | cut -d' ' -f1)" = "700,300" ] \
    || fail "Zarvok did not open where its settings put it"

# Select both rows (alpha, then beta with Ctrl), then drag them onto the path list.
xdotool mousemove 204 104 click 1
sleep 0.3
xdotool keydown ctrl mousemove 204 132 click 1 keyup ctrl
sleep 0.3
xdotool mousemove 204 132 mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10 11 12; do
    xdotool mousemove $((204 + step * 56)) $((132 + step * 25))
    sleep 0.1
done
xdotool mousemove 880 438
sleep 0.5
xdotool mouseup 1
sleep 1

click_copy
[ "$(clipboard_text)" = "$files/beta" ] || fail "the path field shows '$(clipboard_text)', not the last dropped folder"
click_delete
wait_for 100 test ! -e "$files/alpha" -a ! -e "$files/beta" || fail "the dropped folders were not both erased"
has_box && fail "a message box appeared"
echo "ok"
