#!/usr/bin/env bash
# --help and --version answer on the terminal, with no display; folders named on the command
# line are queued in order and nothing is erased before Delete, which then erases them all.
source "$(dirname "$0")/lib.sh"

[ "$(env -u DISPLAY "$ZARVOK" --version)" = "Zarvok 3.0.280" ] || fail "--version: $(env -u DISPLAY "$ZARVOK" --version 2>&1)"
env -u DISPLAY "$ZARVOK" --help | grep -q '^Usage: zarvok \[OPTION\]... \[FOLDER\]...' || fail "--help"
status=0
env -u DISPLAY "$ZARVOK" --no-such-option 2>"$WORK/err" || status=$?
[ "$status" -eq 2 ] && grep -q "no-such-option" "$WORK/err" || fail "a wrong option: status $status, $(cat "$WORK/err")"

mkdir -p "$WORK/one/deep" "$WORK/two words"
touch "$WORK/one/deep/f"
cd "$WORK"
start_zarvok "$WORK/one" "two words"
sleep 1
[ -d "$WORK/one/deep" ] && [ -d "$WORK/two words" ] || fail "a folder was erased before Delete"
has_box && fail "a box appeared at start"
click_delete
wait_for 100 test ! -e "$WORK/one" || fail "the first folder was not erased"
wait_for 100 test ! -e "$WORK/two words" || fail "the folder named relative to the working folder was not erased"
has_box && fail "a message box appeared"
echo "ok"
