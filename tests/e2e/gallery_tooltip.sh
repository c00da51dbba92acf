# The live gallery on a real X server: the real pointer resting on a button shows the button's
# own tooltip window, titled with the button's tooltip text, just below the pointer; moving the
# pointer off the button hides it. Once for a balloon, once for a rectangular tip.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$GALLERY" --window >"$WORK/gallery.log" 2>&1 &
GALLERY_PID=$!
PIDS+=("$GALLERY_PID")
GALLERY_WINDOW=$(xdotool search --sync --onlyvisible --name '^SkinButton gallery$' | head -1)
sleep 0.3 # first paint

# (this xdotool ignores --name beside --pid; the X server is the test's own anyway)
tip_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true; }
tip_shown() { [ -n "$(tip_window "$1")" ]; }
tip_gone() { ! tip_shown "$1"; }

# check_tip X Y TEXT ROWS-BELOW LEAVE-X LEAVE-Y: rests on the button at X,Y of the gallery window,
# expects TEXT's tip with its top ROWS-BELOW the pointer, then leaves for LEAVE-X,LEAVE-Y (root).
check_tip() {
    local x=$1 y=$2 text=$3 below=$4
    xdotool mousemove --window "$GALLERY_WINDOW" "$x" "$y"
    wait_for 50 tip_shown "$text" || fail "no tooltip \"$text\" after resting on the button at $x,$y"
    local tip X Y WIDTH HEIGHT SCREEN WINDOW
    tip=$(tip_window "$text")
    eval "$(xdotool getmouselocation --shell)"
    local pointer_y=$Y
    eval "$(xdotool getwindowgeometry --shell "$tip")"
    [ "$Y" -eq $((pointer_y + below)) ] || fail "tip \"$text\" at row $Y, pointer at row $pointer_y"
    [ "$WIDTH" -gt 100 ] && [ "$HEIGHT" -gt 15 ] || fail "tip \"$text\" is ${WIDTH}x${HEIGHT}"
    "$GRAB" "$tip" "$WORK/tip.png" || fail "cannot grab the tip window"

    xdotool mousemove "$5" "$6"
    wait_for 50 tip_gone "$text" || fail "tooltip \"$text\" still shown after the pointer left"
}

# Style 0, a balloon whose stem ends one row below the pointer; leave onto the window's margin.
check_tip 82 33 "A balloon tip with a title and the information icon." 1 4 4
# Style 1, the desktop's rectangular tip below the pointer; leave the window altogether.
check_tip 226 33 "A rectangular tip, as the desktop draws them." 20 1000 900
echo "tooltips shown and hidden"
