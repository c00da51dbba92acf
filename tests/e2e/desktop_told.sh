#!/usr/bin/env bash
# A run as the desktop and a screen reader see it, on a real session bus: the taskbar's progress
# (the LauncherEntry signal, read with dbus-monitor), a notification shown by a real notification
# daemon (dunst) when the run ends with the window in the background, and what Orca speaks:
# unasked, at the end of a long survey, at the start and the end of a run (with the folder that
# stayed, and why) and at a stop; asked, during a run (Orca logs every phrase even with speech
# off, which keeps speech-dispatcher out of a machine without a sound card).
source "$(dirname "$0")/lib.sh"
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${ZARVOK_IN_SESSION:-}" ]; then
    ZARVOK_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
start_orca
dunst >/dev/null 2>&1 &
PIDS+=($!)
dbus-monitor "type='signal',interface='com.canonical.Unity.LauncherEntry'" >"$WORK/launcher.log" 2>&1 &
PIDS+=($!)
dbus-monitor "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" >"$WORK/notify.log" 2>&1 &
PIDS+=($!)
sleep 1

# A tree of $2 folders of 1,000 names, hard links of one empty file: many entries, made fast.
linked_tree() {
    python3 - "$1" "$2" <<'PY'
import os, sys
for d in range(int(sys.argv[2])):
    folder = os.path.join(sys.argv[1], "d%02d" % d)
    os.makedirs(folder)
    first = os.path.join(folder, "f0")
    open(first, "w").close()
    for f in range(1, 1000):
        os.link(first, os.path.join(folder, "f%d" % f))
PY
}
tree="$WORK/big"
linked_tree "$tree" 300

start_zarvok
set_clipboard "$tree"
click_paste
# Surveyed before the run, which then knows its extent.
/usr/bin/python3 "$E2E_DIR/accessible_shows.py" "$ZARVOK_PID" '1 in list: [0-9,]+ items, ' 60 || fail "the folder was not surveyed"

# Stopped with Escape, the focus on the path list.
xdotool mousemove --window "$MAIN" 104 29 click 1 sleep 0.2 mousemove --window "$MAIN" 100 138 click 1 key Escape
sleep 1
[ -d "$tree" ] || fail "the stopped folder is gone"
left=$(find "$tree" | wc -l)

# Resumed with Delete: the window active, Orca speaks the end. Orca's own keys are answered
# meanwhile: it reads the status line (Orca+keypad Enter, twice) as it reads during the run.
xdotool mousemove --window "$MAIN" 104 29 click 1 sleep 0.1 key --delay 100 KP_Insert+KP_Enter KP_Insert+KP_Enter
wait_for 300 test ! -e "$tree" || fail "the folder was not erased"

# Another run, ended with the window in the background: the desktop notifies it.
linked_tree "$tree" 40
pcmanfm --new-win "$WORK" >/dev/null 2>&1 &
PIDS+=($!)
other=$(xdotool search --sync --onlyvisible --class pcmanfm | head -1)
xdotool windowmove --sync "$other" 600 500 windowsize --sync "$other" 300 200 # off the program's window
set_clipboard "$tree"
click_paste
# The file manager has the focus before Delete is clicked (no window manager here gives it to
# the window clicked): a short run must not end before the window is away.
xdotool windowfocus --sync "$other"
xdotool mousemove --window "$MAIN" 104 29 click 1
wait_for 300 test ! -e "$tree" || fail "the second folder was not erased"
wait_for 50 grep -q 'string "Erasing Done: ' "$WORK/notify.log" || fail "no notification asked for: $(cat "$WORK/zarvok.log")"
grep -A2 '^ *string "Zarvok"$' "$WORK/notify.log" | grep -q '^ *string "zarvok"$' || fail "the notification asks for another icon than the installed one"
[ "$(dunstctl count displayed)" -ge 1 ] || [ "$(dunstctl count history)" -ge 1 ] || fail "the notification daemon shows nothing"
grep -q 'string "progress-visible"' "$WORK/launcher.log" || fail "no taskbar progress: $(head -20 "$WORK/launcher.log")"
grep -A1 'string "progress"' "$WORK/launcher.log" | grep -q 'double 0\.[1-9]' || fail "no progress under way on the taskbar"
tail -12 "$WORK/launcher.log" | grep -A1 'progress-visible' | grep -q 'boolean false' || fail "the taskbar progress was not taken down"

# A folder that stays (a file system mounted inside): the end says which, and why.
stuck="$WORK/stuck"
stayed=()
mkdir -p "$stuck/mnt" && touch "$stuck/a"
if mount -t tmpfs zarvok-e2e "$stuck/mnt" 2>/dev/null; then
    trap 'umount "$stuck/mnt" 2>/dev/null || true; cleanup' EXIT
    set_clipboard "$stuck"
    click_paste
    sleep 2
    click_delete
    wait_for 100 test ! -e "$stuck/a" || fail "the erasable part was not erased"
    sleep 3
    stayed=("1 folder not erased: 1 removed in " "Not erased: $stuck: ")
fi
orca_must_have_spoken "${stayed[@]}" "$tree: 300,300 items, " "Working Erasing all, Wait..." "Stopped: " "Working Erasing all, Wait... statusbar" "Erasing Done: "
echo "ok"
