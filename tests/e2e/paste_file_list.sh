#!/usr/bin/env bash
# Folders copied in a file manager reach Paste as a file list, not as text: Paste queues their
# paths, and Copy then shows the last one.
source "$(dirname "$0")/lib.sh"

start_zarvok
printf 'copy\nfile:///srv/first%%20folder\nfile:///srv/second\n' \
    | xclip -selection clipboard -t x-special/gnome-copied-files -i >/dev/null 2>&1
click_paste
click_copy
[ "$(clipboard_text)" = "/srv/second" ] || fail "after Paste the field holds '$(clipboard_text)'"
echo "ok"
