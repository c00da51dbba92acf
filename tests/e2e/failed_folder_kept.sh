#!/usr/bin/env bash
# A folder that cannot be fully erased (a file system mounted inside) stays queued with no box
# stopping the run, and the status line does not read as it does after a clean run.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/clean" "$WORK/stuck/mnt"
touch "$WORK/clean/f" "$WORK/stuck/a" "$WORK/stuck/b" # both runs remove two entries
mount -t tmpfs zarvok-e2e "$WORK/stuck/mnt" 2>/dev/null || { echo "SKIP: cannot mount here"; exit 77; }
trap 'umount "$WORK/stuck/mnt" 2>/dev/null || true; cleanup' EXIT

start_zarvok
set_clipboard "$WORK/clean"
click_paste
click_delete
wait_for 100 test ! -e "$WORK/clean" || fail "the clean folder was not erased"
sleep 0.3
grab_status_line "$WORK/clean-run.png"
grab_count_label "$WORK/none.png"

set_clipboard "$WORK/stuck"
click_paste
click_delete
wait_for 100 test ! -e "$WORK/stuck/a" || fail "the erasable part was not erased"
sleep 0.3
has_box && fail "a box stopped the run"
grab_status_line "$WORK/failed-run.png"
cmp -s "$WORK/clean-run.png" "$WORK/failed-run.png" && fail "the failed run ends on the clean run's status line"
grab_count_label "$WORK/after.png"
cmp -s "$WORK/none.png" "$WORK/after.png" && fail "the folder did not stay queued"

# Delete retries it: the mount gone, it is erased.
umount "$WORK/stuck/mnt"
click_delete
wait_for 100 test ! -e "$WORK/stuck" || fail "Delete did not retry the kept folder"
sleep 0.3
grab_count_label "$WORK/empty.png"
cmp -s "$WORK/none.png" "$WORK/empty.png" || fail "the count label does not read 0 after the retry"
has_box && fail "a box after the retry"
echo "ok"
