#!/usr/bin/env bash
# A path put on the clipboard by another program is pasted and erased; the count label then
# reads 0, the same as after a run whose only entry was missing.
source "$(dirname "$0")/lib.sh"

target="$WORK/victim"
mkdir -p "$target/deep/er"
touch "$target/a" "$target/deep/b" "$target/deep/er/c"

start_zarvok

# A run over a missing folder leaves the label at "0 in list": the picture to compare with.
set_clipboard "$WORK/missing"
click_paste
click_delete
wait_for 50 has_box || fail "no warning box for a missing folder"
answer_box
grab_count_label "$WORK/zero.png"

set_clipboard "$target"
click_paste
grab_count_label "$WORK/one.png"
cmp -s "$WORK/zero.png" "$WORK/one.png" && fail "the count label did not change when the path was queued"

click_delete
wait_for 100 test ! -e "$target" || fail "the folder was not erased"
has_box && fail "a message box appeared for a folder that was erased"
sleep 0.3
grab_count_label "$WORK/after.png"
cmp -s "$WORK/zero.png" "$WORK/after.png" || fail "the count label does not read 0 after erasing"
echo "ok"
