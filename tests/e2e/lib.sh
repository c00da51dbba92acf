# Shared steps of the end-to-end tests. Each test runs inside its own X server (xvfb-run) with
# a fresh home and settings folder. Sourced with ZARVOK and GRAB set by CTest.
set -euo pipefail

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
WORK="$(mktemp -d)"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
SETTINGS="$XDG_CONFIG_HOME/Vantrel Software/zarvok.conf"
PIDS=()

cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    # ZARVOK_KEEP_WORK=1 keeps the logs (Orca's, the program's) for a look after a failure.
    if [ -n "${ZARVOK_KEEP_WORK:-}" ]; then echo "kept $WORK" >&2; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until a command succeeds, up to $1 tenths of a second.
wait_for() {
    local tenths=$1; shift
    for ((i = 0; i < tenths; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Starts the program, with any arguments given, and waits for its window.
start_zarvok() {
    "$ZARVOK" "$@" >"$WORK/zarvok.log" 2>&1 &
    ZARVOK_PID=$!
    PIDS+=("$ZARVOK_PID")
    MAIN=$(xdotool search --sync --onlyvisible --pid "$ZARVOK_PID" --name '^Zarvok$' | head -1)
    sleep 0.3 # first paint
}

# The windows of the program named "Zarvok" other than the main window: message boxes.
boxes() { xdotool search --onlyvisible --pid "$ZARVOK_PID" --name '^Zarvok$' | grep -vx "$MAIN" || true; }
has_box() { [ -n "$(boxes)" ]; }

# Clicks at a point of the main window's client area (pixels from its top-left corner). The
# pause after it keeps the next click on the same spot from making a double click.
click_at() { xdotool mousemove --window "$MAIN" "$1" "$2" click 1; sleep 0.6; }
click_exit() { click_at 40 29; }
click_delete() { click_at 104 29; }
click_copy() { click_at 168 29; }
click_paste() { click_at 232 29; }

# The clipboard through xclip. Setting it leaves xclip behind as the selection's owner, so its
# output goes to /dev/null and nothing waits on its pipe.
clipboard_text() { xclip -selection clipboard -o 2>/dev/null </dev/null; }
clipboard_is() { [ "$(clipboard_text)" = "$1" ]; }
set_clipboard() {
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
    # The previous owner may still answer for a moment.
    wait_for 50 clipboard_is "$1" || fail "the clipboard did not take '$1'"
}

# Saves a part of the main window as a PNG: file x y width height.
grab() { "$GRAB" "$MAIN" "$1" "$2" "$3" "$4" "$5"; }
grab_count_label() { grab "$1" 0 113 401 15; }
grab_status_line() { grab "$1" 0 183 401 21; }

answer_box() {
    local box
    box=$(boxes | head -1)
    [ -n "$box" ] || fail "no message box to answer"
    xdotool windowfocus --sync "$box" key Return
    wait_for 50 no_box || fail "the message box did not close"
}
no_box() { ! has_box; }
# Answers the question box with the key of its button (y: Yes, n: No).
answer_box_with() {
    local box
    wait_for 50 has_box || fail "no question was asked"
    box=$(boxes | head -1)
    xdotool windowfocus --sync "$box" key "$1"
    wait_for 50 no_box || fail "the question did not close"
}

# The pcmanfm file manager showing folder $1, at the top left in a list view (its first row at
# about 204,104 on the screen).
start_file_manager() {
    mkdir -p "$XDG_CONFIG_HOME/pcmanfm/default"
    cat >"$XDG_CONFIG_HOME/pcmanfm/default/pcmanfm.conf" <<CONF
[ui]
win_width=600
win_height=400
view_mode=list
side_pane_mode=hidden
CONF
    pcmanfm --no-desktop "$1" >"$WORK/pcmanfm.log" 2>&1 &
    PIDS+=($!)
    xdotool search --sync --onlyvisible --class pcmanfm >/dev/null
    sleep 2 # its first listing
}

# Zarvok's settings put its window beside the file manager, at 700,300.
place_zarvok_beside_file_manager() {
    mkdir -p "$(dirname "$SETTINGS")"
    printf '[Main]\nMainLeft=dword:%08x\nMainTop=dword:%08x\n' $((700 * 15)) $((300 * 15)) >"$SETTINGS"
}

# Asks the main window to close as the window frame's close button would.
close_main() { python3 "$E2E_DIR/closewindow.py" "$MAIN"; }

zarvok_ended() { ! kill -0 "$ZARVOK_PID" 2>/dev/null; }

# Orca, the screen reader, with speech off, logging every phrase it would speak as
# "SPEECH OUTPUT: '...'" in $WORK/orca.log (speech itself would hang speech-dispatcher on a
# machine without a sound card). Needs a session bus; programs started after it are accessible.
start_orca() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
    local prefs="$WORK/orca"
    mkdir -p "$prefs"
    cat >"$prefs/user-settings.conf" <<'JSON'
{"general": {"enableSpeech": false, "enableBraille": false},
 "pronunciations": {}, "keybindings": {},
 "profiles": {"default": {"profile": ["Default", "default"], "enableSpeech": false, "enableBraille": false,
                          "pronunciations": {}, "keybindings": {}}}}
JSON
    orca --replace --user-prefs="$prefs" --debug-file="$WORK/orca.log" >/dev/null 2>&1 &
    ORCA_PID=$!
    PIDS+=("$ORCA_PID")
    sleep 5 # Orca on the accessibility bus
}

orca_ended() { ! kill -0 "$ORCA_PID" 2>/dev/null; }
orca_spoke() { grep -F "SPEECH OUTPUT: '" "$WORK/orca.log" | grep -F -- "$1" >/dev/null; }

# Ends Orca and fails unless it spoke every phrase given. Orca writes its log in blocks: the
# log is complete only once Orca has quit (it does on SIGINT).
orca_must_have_spoken() {
    kill -INT "$ORCA_PID"
    # Orca acts on the signal only when an event wakes it: an idle window sends none.
    xdotool key --clearmodifiers shift
    wait_for 100 orca_ended || fail "Orca did not quit"
    local phrase
    for phrase in "$@"; do
        orca_spoke "$phrase" || fail "Orca did not speak '$phrase': $(grep -F 'SPEECH OUTPUT' "$WORK/orca.log" | tail -12)"
    done
}
