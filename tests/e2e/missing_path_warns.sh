#!/usr/bin/env bash
# A queued folder that does not exist brings up one warning box; the folders around it are
# still erased.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/first/x" "$WORK/last"
start_zarvok
for path in "$WORK/first" "$WORK/not-there" "$WORK/last"; do
    set_clipboard "$path"
    click_paste
done
click_delete
wait_for 100 has_box || fail "no warning box for the missing folder"
[ "$(boxes | wc -l)" -eq 1 ] || fail "more than one box"
test ! -e "$WORK/first" || fail "the folder before the missing one was not erased"
answer_box
wait_for 100 test ! -e "$WORK/last" || fail "the folder after the missing one was not erased"
sleep 0.3
has_box && fail "a second box appeared"
kill -0 "$ZARVOK_PID" || fail "the program ended"
echo "ok"
