#!/usr/bin/env bash
# "Erase with Zarvok..." in pcmanfm's context menu of a folder (the installed file-manager
# action): it starts Zarvok with the folder queued, and erases nothing. Installed with
# `cmake --install` into a prefix that the file manager finds through XDG_DATA_DIRS.
source "$(dirname "$0")/lib.sh"
BUILD=${1:?build folder}
# pcmanfm shows file-manager actions through libfm's gtk-menu-actions module.
compgen -G "/usr/lib/*/libfm/modules/gtk-menu-actions.so" >/dev/null \
    || { echo "SKIP: pcmanfm shows no file-manager actions without libfm-modules"; exit 77; }

cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
export PATH="$WORK/prefix/bin:$PATH" XDG_DATA_DIRS="$WORK/prefix/share:/usr/share" XDG_DATA_HOME="$WORK/data"
files="$WORK/files"
mkdir -p "$files/alpha/inner" "$files/beta"
touch "$files/alpha/inner/x"
start_file_manager "$files"
# Right-click "alpha": the menu ends with "Erase with Zarvok..." above Properties.
xdotool mousemove 204 104 click 1
sleep 0.5
xdotool click 3
sleep 1
"$GRAB" root "$WORK/menu.png"
[ -z "${ZARVOK_SHOTS:-}" ] || cp "$WORK/menu.png" "$ZARVOK_SHOTS/pcmanfm-menu.png"
xdotool key Up Up Return

zarvok_window() { MAIN=$(xdotool search --onlyvisible --name '^Zarvok$' 2>/dev/null | head -1); [ -n "$MAIN" ]; }
wait_for 150 zarvok_window || fail "the action started no Zarvok window: $(cat "$WORK/pcmanfm.log")"
ZARVOK_PID=$(xdotool getwindowpid "$MAIN")
PIDS+=("$ZARVOK_PID")
sleep 0.5
[ "$(readlink "/proc/$ZARVOK_PID/exe")" = "$WORK/prefix/bin/zarvok" ] || fail "the action started $(readlink "/proc/$ZARVOK_PID/exe")"
"$GRAB" "$MAIN" "$WORK/window.png"
[ -z "${ZARVOK_SHOTS:-}" ] || cp "$WORK/window.png" "$ZARVOK_SHOTS/zarvok-from-pcmanfm.png"
click_copy
wait_for 50 clipboard_is "$files/alpha" || fail "the queued folder is '$(clipboard_text)', not $files/alpha"
[ -e "$files/alpha/inner/x" ] || fail "the action erased the folder"
echo "ok"
