#!/usr/bin/env bash
# Typed into the real window, the path field refuses the characters no path may hold and
# Backspace, while keyboard commands keep working; read back through Copy and Ctrl+C.
source "$(dirname "$0")/lib.sh"

start_zarvok
click_at 180 138 # into the path field
xdotool type --delay 30 '/srv/a"b*c<d>e?f|g h'
xdotool key --delay 30 BackSpace
click_copy
[ "$(clipboard_text)" = "/srv/abcdefg h" ] || fail "the field holds '$(clipboard_text)'"

# Select all and type over it, then copy with the keyboard.
click_at 180 138
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 '/new'
xdotool key --clearmodifiers ctrl+a ctrl+c
wait_for 30 clipboard_is "/new" || fail "Ctrl+A, Ctrl+C gave '$(clipboard_text)'"
echo "ok"
