#!/usr/bin/env bash
# A second start hands its folder to the window already running and ends at once; the socket
# is the user's alone; one left behind by a killed window is taken over by the next start.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/handed/x" "$WORK/after-crash" "$WORK/third"
start_zarvok
grab_count_label "$WORK/none.png"
socket="$XDG_RUNTIME_DIR/zarvok.socket"
[ -S "$socket" ] || fail "no socket at $socket"
[ "$(stat -c %a "$socket")" = 700 ] || [ "$(stat -c %a "$socket")" = 600 ] || fail "socket mode $(stat -c %a "$socket")"

timeout 10 "$ZARVOK" "$WORK/handed" || fail "the second start did not end with 0"
sleep 0.5
grab_count_label "$WORK/one.png"
cmp -s "$WORK/none.png" "$WORK/one.png" && fail "the handed folder was not queued"
[ -d "$WORK/handed/x" ] || fail "the handed folder was erased before Delete"
click_delete
wait_for 100 test ! -e "$WORK/handed" || fail "the handed folder was not erased"

kill -9 "$ZARVOK_PID"
wait_for 50 zarvok_ended || fail "the window did not end"
[ -S "$socket" ] || fail "the killed window's socket is gone; nothing left to take over"
start_zarvok "$WORK/after-crash"
timeout 10 "$ZARVOK" "$WORK/third" || fail "the start after the crash did not take the socket over"
sleep 0.5
click_delete
wait_for 100 test ! -e "$WORK/after-crash" || fail "the folder from the command line was not erased"
wait_for 100 test ! -e "$WORK/third" || fail "the folder handed over after the crash was not erased"
echo "ok"
