#!/usr/bin/env bash
# The About command of the running program: one About window, brought forward by About again,
# unloaded by OK, loaded afresh by the next About, closed with the program.
source "$(dirname "$0")/../e2e/lib.sh"

# --all: by default xdotool lists the windows that match any one of the conditions.
abouts() { xdotool search --all --onlyvisible --pid "$ZARVOK_PID" --name '^About $' || true; }
about_count() { abouts | grep -c . || true; }
about_shown() { [ "$(about_count)" = 1 ]; }
about_gone() { [ "$(about_count)" = 0 ]; }
click_about() { click_at 360 29; }

start_zarvok
click_about
wait_for 50 about_shown || fail "About showed $(about_count) About windows"
ABOUT=$(abouts)

# Moved aside so that the main window's About button can be reached again.
xdotool windowmove --sync "$ABOUT" 700 600
click_about
sleep 0.5
[ "$(abouts)" = "$ABOUT" ] || fail "About again did not keep the one window ($(abouts | xargs))"

# OK: the button at 416,289 (65 x 27) of the About window.
xdotool mousemove --window "$ABOUT" 448 302 click 1
wait_for 50 about_gone || fail "OK did not close the About window"

click_about
wait_for 50 about_shown || fail "About after OK showed $(about_count) windows"
[ "$(abouts)" != "$ABOUT" ] || fail "About after OK showed the old window"

close_main
wait_for 50 zarvok_ended || fail "the program did not end with the About window open"
echo "ok"
