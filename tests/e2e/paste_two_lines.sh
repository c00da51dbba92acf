#!/usr/bin/env bash
# Clipboard text of two paths on two lines (and a file:// URI) queues one folder per line.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/first/x" "$WORK/second folder"
start_zarvok
set_clipboard "$WORK/first
file://${WORK// /%20}/second%20folder"
click_paste
click_delete
wait_for 100 test ! -e "$WORK/first" || fail "the first line's folder was not erased"
wait_for 100 test ! -e "$WORK/second folder" || fail "the second line's folder was not erased"
has_box && fail "a message box appeared"
echo "ok"
