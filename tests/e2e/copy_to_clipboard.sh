#!/usr/bin/env bash
# Copy puts the path field on the clipboard, where another program reads it.
source "$(dirname "$0")/lib.sh"

start_zarvok
set_clipboard "/srv/some folder/with  blanks"
click_paste
set_clipboard "something else"
click_copy
[ "$(clipboard_text)" = "/srv/some folder/with  blanks" ] || fail "clipboard holds '$(clipboard_text)'"

# Typed into the field (the key filter lets a path through) and copied again.
click_at 180 138
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 '/typed/path'
click_copy
[ "$(clipboard_text)" = "/typed/path" ] || fail "clipboard holds '$(clipboard_text)' after typing"
echo "ok"
