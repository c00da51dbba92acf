#!/usr/bin/env bash
# A run as the desktop and a screen reader see it, on a real session bus: the taskbar's progress
# (the LauncherEntry signal, read with dbus-monitor), a notification shown by a real notification
# daemon (dunst) when the run ends with the window in the background, and what Orca speaks,
# unasked, at the start and the end of a run and at a stop (Orca logs every phrase even with
# speech off, which keeps speech-dispatcher out of a machine without a sound card).
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

tree="$WORK/big"
python3 - "$tree" <<'PY'
import os, sys
for d in range(150):
    folder = os.path.join(sys.argv[1], "d%02d" % d)
    os.makedirs(folder)
    first = os.path.join(folder, "f0")
    open(first, "w").close()
    for f in range(1, 1000):
        os.link(first, os.path.join(folder, "f%d" % f))
PY

start_zarvok
set_clipboard "$tree"
click_paste
sleep 3 # surveyed meanwhile: the run will know its extent

# Stopped with Escape, the focus on the path list.
xdotool mousemove --window "$MAIN" 104 29 click 1 sleep 0.2 mousemove --window "$MAIN" 100 138 click 1 key Escape
sleep 1
[ -d "$tree" ] || fail "the stopped folder is gone"
left=$(find "$tree" | wc -l)

# Resumed with Delete: the window active, Orca speaks the end.
click_delete
wait_for 300 test ! -e "$tree" || fail "the folder was not erased"

# Another run, ended with the window in the background: the desktop notifies it.
python3 - "$tree" <<'PY2'
import os, sys
for d in range(40):
    folder = os.path.join(sys.argv[1], "d%02d" % d)
    os.makedirs(folder)
    first = os.path.join(folder, "f0")
    open(first, "w").close()
    for f in range(1, 1000):
        os.link(first, os.path.join(folder, "f%d" % f))
PY2
pcmanfm --new-win "$WORK" >/dev/null 2>&1 &
PIDS+=($!)
other=$(xdotool search --sync --onlyvisible --class pcmanfm | head -1)
xdotool windowmove --sync "$other" 600 500 windowsize --sync "$other" 300 200 # off the program's window
set_clipboard "$tree"
click_paste
xdotool mousemove --window "$MAIN" 104 29 click 1
xdotool windowfocus --sync "$other"
wait_for 300 test ! -e "$tree" || fail "the second folder was not erased"
wait_for 50 grep -q 'string "Erasing Done: ' "$WORK/notify.log" || fail "no notification asked for: $(cat "$WORK/zarvok.log")"
[ "$(dunstctl count displayed)" -ge 1 ] || [ "$(dunstctl count history)" -ge 1 ] || fail "the notification daemon shows nothing"
grep -q 'string "progress-visible"' "$WORK/launcher.log" || fail "no taskbar progress: $(head -20 "$WORK/launcher.log")"
grep -A1 'string "progress"' "$WORK/launcher.log" | grep -q 'double 0\.[1-9]' || fail "no progress under way on the taskbar"
tail -12 "$WORK/launcher.log" | grep -A1 'progress-visible' | grep -q 'boolean false' || fail "the taskbar progress was not taken down"
orca_must_have_spoken "Working Erasing all, Wait..." "Stopped: " "Erasing Done: "
echo "ok"
