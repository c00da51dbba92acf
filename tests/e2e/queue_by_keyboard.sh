#!/usr/bin/env bash
# The queue in the user's hands, with real keys: paths typed and queued with Enter (one per
# line of a multi-line paste into the field), a file told at once and kept in the field, a
# folder taken off with the path field's context menu and one with Delete in the open list,
# the list cleared, and the commands on their mnemonics (Alt+letter), F1 and Ctrl+Q. Nothing
# taken off the list is erased.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/a/x" "$WORK/b/x" "$WORK/c/x" "$WORK/with space/x" "$WORK/e/x" "$WORK/f/x"
echo text >"$WORK/file.txt"
start_zarvok
field_x=180 field_y=138
in_field() { click_at $field_x $field_y; }
# Types over whatever the field holds.
type_over() {
    in_field
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
}
field_is() {
    xdotool windowfocus --sync "$MAIN" # no window manager gives it back after a box
    xdotool key --clearmodifiers alt+c # Copy, on its mnemonic
    wait_for 20 clipboard_is "$1"
}
# The window's context menu (a pop-up of the program's own that is not the main window).
menu_open() { xdotool search --onlyvisible --pid "$ZARVOK_PID" --class zarvok | grep -vx "$MAIN" | grep -q .; }

# Typed, then Enter: queued. A trailing separator and a blank in the name are taken as typed.
for folder in "$WORK/a" "$WORK/b" "$WORK/c/" "$WORK/with space"; do
    type_over "$folder"
    xdotool key Return
    sleep 0.3
done
has_box && fail "a folder typed and entered was refused"

# A file: told at once in a box, not queued, and still in the field afterwards.
type_over "$WORK/file.txt"
xdotool key Return
wait_for 30 has_box || fail "a file typed and entered was not told"
answer_box
field_is "$WORK/file.txt" || fail "the field lost the file's path; it holds '$(clipboard_text)'"

# Two lines pasted into the field with Ctrl+V, then Enter: both queued.
set_clipboard "$WORK/e
$WORK/f"
in_field
xdotool key --clearmodifiers ctrl+a ctrl+v
sleep 0.2
xdotool key Return
sleep 0.3
has_box && fail "the two pasted lines were refused"

# "b" taken off with the context menu: shown in the field, right click, "Remove from List" (m).
type_over "$WORK/b"
xdotool mousemove --window "$MAIN" $field_x $field_y click 3
wait_for 30 menu_open || fail "no context menu on the path field"
xdotool key m
sleep 0.3
menu_open && fail "the context menu stayed open"

# "c/" taken off in the open list: Alt+Down opens it, Home and Down highlight the second entry
# (a, c/, with space, e, f), Delete takes it off, Escape closes the list.
in_field
xdotool key alt+Down
sleep 0.4
xdotool key Home Down Delete
sleep 0.2
xdotool key Escape
sleep 0.3

# Delete on its mnemonic: the folders still queued are erased, the ones taken off are not.
xdotool key --clearmodifiers alt+d
for gone in a "with space" e f; do
    wait_for 100 test ! -e "$WORK/$gone" || fail "the queued folder '$gone' was not erased"
done
has_box && fail "a message box appeared during the run"
[ -d "$WORK/b/x" ] || fail "the folder taken off with the context menu was erased"
[ -d "$WORK/c/x" ] || fail "the folder taken off in the open list was erased"
[ -f "$WORK/file.txt" ] || fail "the file was erased"

# Queued again, then the list cleared ("Clear List", l): Delete erases nothing.
for folder in "$WORK/b" "$WORK/c"; do
    type_over "$folder"
    xdotool key Return
    sleep 0.3
done
xdotool mousemove --window "$MAIN" $field_x $field_y click 3
wait_for 30 menu_open || fail "no context menu on the path field"
xdotool key l
sleep 0.3
xdotool key --clearmodifiers alt+d
sleep 1
[ -d "$WORK/b/x" ] && [ -d "$WORK/c/x" ] || fail "a folder of the cleared list was erased"
has_box && fail "a message box appeared"

# F1 opens the About window; Ctrl+Q quits.
xdotool key F1
about_open() { xdotool search --onlyvisible --pid "$ZARVOK_PID" --name '^About' | grep -q .; }
wait_for 30 about_open || fail "F1 did not open the About window"
xdotool windowactivate --sync "$MAIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN"
xdotool key --clearmodifiers ctrl+q
wait_for 50 zarvok_ended || fail "Ctrl+Q did not quit"
echo "ok"
