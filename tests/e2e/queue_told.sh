#!/usr/bin/env bash
# What Orca speaks, unasked, as the queue changes, whichever control has the focus: a folder
# queued by Paste, by Enter in the path field, by a drop from the file manager, by a second
# start and by the folder dialog; one taken off with the path field's context menu; the list
# cleared. Proven by Orca's own log.
source "$(dirname "$0")/lib.sh"
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${ZARVOK_IN_SESSION:-}" ]; then
    ZARVOK_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
start_orca

files="$WORK/files"
mkdir -p "$WORK/pasted" "$WORK/typed" "$files/dropped" "$WORK/handed" "$WORK/chosen"
# The file manager at the top left; Zarvok beside it, where its settings put it.
place_zarvok_beside_file_manager
start_file_manager "$files"
start_zarvok

# Paste: the focus on the Paste button.
set_clipboard "$WORK/pasted"
click_paste
sleep 2

# Typed, then Enter: the focus in the path field.
click_at 180 138
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$WORK/typed"
# Orca drops events when flooded (its log: "Pruning event queue due to flood"), and each typed
# key is a few: it catches up before Enter.
sleep 2
xdotool key Return
sleep 2

# Dropped from the file manager (its only row) onto the path list.
xdotool mousemove 204 104 click 1
sleep 0.3
xdotool mousemove 204 104 mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10 11 12; do
    xdotool mousemove $((204 + step * 56)) $((104 + step * 27))
    sleep 0.1
done
xdotool mousemove 880 438
sleep 0.5
xdotool mouseup 1
sleep 2

# A second start hands its folder over: the focus stays where it was.
timeout 10 "$ZARVOK" "$WORK/handed" || fail "the second start did not end with 0"
sleep 2

# The folder dialog: Browse, the chosen folder's path typed into the dialog, Enter.
click_at 378 139
dialog_open() { xdotool search --onlyvisible --name '^Select a Folder to Erase$' | grep -vx "$MAIN" | head -1; }
wait_for 50 eval '[ -n "$(dialog_open)" ]' || fail "the folder dialog did not open as 'Select a Folder to Erase'"
sleep 0.5
xdotool windowfocus --sync "$(dialog_open)" # no window manager gives it the focus
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$WORK/chosen"
sleep 2 # Orca catches up with the typing, as above: behind, it drops what it would present next
xdotool key Return
wait_for 50 eval '[ -z "$(dialog_open)" ]' || fail "the folder dialog stayed open"
xdotool windowfocus --sync "$MAIN" # nor back to the main window
# The window tells it once Orca is through the closing dialog's events; keys typed meanwhile
# would flood Orca again, and it drops events in a flood.
sleep 6

# "typed" taken off with the context menu (Shift+F10), then the list cleared (a right click).
click_at 180 138
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$WORK/typed"
sleep 2
# Opened from the keyboard, the menu is heard as it opens (by the item it starts on).
xdotool key --clearmodifiers shift+F10
sleep 1
xdotool key m
sleep 2
xdotool mousemove --window "$MAIN" 180 138 click 3
sleep 0.6
xdotool key l
sleep 2

for folder in pasted typed files/dropped handed chosen; do
    [ -d "$WORK/$folder" ] || fail "$folder was erased"
done
orca_must_have_spoken \
    "Queued: $WORK/pasted. 1 in list" \
    "Queued: $WORK/typed. 2 in list" \
    "Queued: $files/dropped. 3 in list" \
    "Queued: $WORK/handed. 4 in list" \
    "Queued: $WORK/chosen. 5 in list" \
    "Undo	Ctrl+Z." \
    "Taken off the list, not erased: $WORK/typed. 4 in list" \
    "List cleared, nothing erased. 0 in list"
echo "ok"
