# Shared steps of the install tests: the build folder and the desktop id come as arguments.
set -euo pipefail
BUILD=${1:?build folder}
APP_ID=${2:?desktop id}
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# What an installed Zarvok holds, below a prefix.
expect_installed_files() {
    local prefix=$1 size
    for program in zarvok zarvok-erase; do
        [ -x "$prefix/bin/$program" ] || fail "$program is not installed"
        [ -s "$prefix/share/man/man1/$program.1.gz" ] || fail "no man page for $program"
        man --warnings -l "$prefix/share/man/man1/$program.1.gz" 2>"$WORK/man.err" >/dev/null
        [ ! -s "$WORK/man.err" ] || fail "the man page of $program: $(cat "$WORK/man.err")"
    done
    [ -s "$prefix/share/icons/hicolor/scalable/apps/zarvok.svg" ] || fail "no scalable icon"
    for size in 16 22 24 32 48 64 128 256; do
        png_is_square "$prefix/share/icons/hicolor/${size}x${size}/apps/zarvok.png" "$size"
    done
    desktop-file-validate "$prefix/share/applications/$APP_ID.desktop" || fail "the desktop entry is not valid"
    grep -qx 'Icon=zarvok' "$prefix/share/applications/$APP_ID.desktop" || fail "the desktop entry names another icon"
    grep -qx 'Exec=zarvok %F' "$prefix/share/applications/$APP_ID.desktop" || fail "the desktop entry starts something else, or takes no folders"
    ! grep -q '^MimeType=.*inode/directory' "$prefix/share/applications/$APP_ID.desktop" \
        || fail "the desktop entry claims inode/directory, so it could become what opens folders"
    expect_folder_actions "$prefix"
    appstreamcli validate --no-net "$prefix/share/metainfo/$APP_ID.metainfo.xml" || fail "the metainfo is not valid"
    expect_polkit_action "$prefix" "${2:-$prefix}"
}

# "Erase with Zarvok..." in each file manager's format, which queues (zarvok %F), never erases.
expect_folder_actions() {
    local prefix=$1
    local fma="$prefix/share/file-manager/actions/$APP_ID.erase.desktop"
    local dolphin="$prefix/share/kio/servicemenus/$APP_ID.erase.desktop"
    local nemo="$prefix/share/nemo/actions/$APP_ID.erase.nemo_action"
    for file in "$fma" "$dolphin" "$nemo"; do
        [ -s "$file" ] || fail "no folder action $file"
        grep -qx 'Name=Erase with Zarvok...' "$file" || fail "$file is not named 'Erase with Zarvok...'"
        grep -qx 'Exec=zarvok %F' "$file" || fail "$file does not queue the folders (Exec=zarvok %F)"
        ! grep -q 'zarvok-erase\|--admin' "$file" || fail "$file erases instead of queueing"
    done
    grep -qx 'Type=Action' "$fma" && grep -qx 'MimeTypes=inode/directory;' "$fma" && grep -qx 'Profiles=folders;' "$fma" \
        || fail "the file-manager action is not an action on folders"
    grep -qx 'MimeType=inode/directory;' "$dolphin" && grep -qx 'Actions=eraseWithZarvok;' "$dolphin" \
        || fail "the Dolphin service menu is not offered on folders"
    grep -qx '\[Nemo Action\]' "$nemo" && grep -qx 'Extensions=dir;' "$nemo" || fail "the Nemo action is not offered on folders"
}

# The polkit action of zarvok-erase --admin: auth_admin (asked every run), for the installed program, with
# --admin as its first argument. `runtime` is the prefix the files will live under.
expect_polkit_action() {
    local prefix=$1 runtime=$2
    local policy="$prefix/share/polkit-1/actions/$APP_ID.policy"
    [ -s "$policy" ] || fail "no polkit action $policy"
    python3 - "$policy" "$APP_ID" "$runtime/bin/zarvok-erase" <<'PY' || fail "the polkit action is not right: $(cat "$policy")"
import re, sys, xml.etree.ElementTree as ET
policy, app_id, program = sys.argv[1:]
actions = ET.parse(policy).getroot().findall("action")
assert len(actions) == 1, "one action"
action = actions[0]
expected = re.sub(r"[^a-z0-9.-]", "-", (app_id + ".erase-as-admin").lower())
assert action.get("id") == expected, action.get("id")
for answer in ("allow_any", "allow_inactive", "allow_active"):
    assert action.find("defaults/" + answer).text == "auth_admin", answer
notes = {a.get("key"): a.text for a in action.findall("annotate")}
assert notes["org.freedesktop.policykit.exec.path"] == program, notes
assert notes["org.freedesktop.policykit.exec.argv1"] == "--admin", notes
assert "org.freedesktop.policykit.exec.allow_gui" not in notes, "the tool as root gets no display"
PY
}

# Installing below `share` (desktop databases updated, as the .deb's triggers do) leaves
# `xdg-mime query default inode/directory` as it was: on a desktop with no folder opener of its
# own, with one, and with this system's. A copy of the entry that claims folders proves the check
# sees a claim.
expect_folder_opener_unchanged() {
    local share=$1 env=$WORK/xdg-env
    mkdir -p "$env/home" "$env/none/applications" "$env/files/applications" "$env/claim/applications"
    cp -r "$share/applications/." "$env/installed-applications"
    cat >"$env/files/applications/files.desktop" <<'DESKTOP'
[Desktop Entry]
Type=Application
Name=Files
Exec=files %U
MimeType=inode/directory;
DESKTOP
    sed 's/^Exec=.*/&\nMimeType=inode\/directory;/' "$share/applications/$APP_ID.desktop" >"$env/claim/applications/$APP_ID.desktop"
    for dir in "$env/files/applications" "$env/claim/applications" "$env/installed-applications"; do
        update-desktop-database "$dir" || fail "update-desktop-database $dir"
    done
    mkdir -p "$env/installed/share" && mv "$env/installed-applications" "$env/installed/share/applications"
    query() {
        env -i PATH=/usr/bin:/bin HOME="$env/home" XDG_CONFIG_HOME="$env/home/.config" XDG_DATA_HOME="$env/home/.local/share" \
            XDG_CONFIG_DIRS="$env/etc" XDG_DATA_DIRS="$1" xdg-mime query default inode/directory
    }
    local before after system
    for system in "$env/none" "$env/files" /usr/share; do
        before=$(query "$system")
        after=$(query "$env/installed/share:$system")
        [ "$before" = "$after" ] || fail "installing changed the folder opener from '$before' to '$after' (with $system)"
        [[ "$after" != *"$APP_ID"* ]] || fail "Zarvok is the folder opener (with $system)"
    done
    [ "$(query "$env/claim:$env/none")" = "$APP_ID.desktop" ] || fail "the check does not see an entry that claims folders"
}

# A PNG of size x size pixels, read from its header.
png_is_square() {
    local file=$1 size=$2
    [ -f "$file" ] || fail "no ${size}px icon"
    python3 - "$file" "$size" <<'PY' || fail "$file is not a ${size}x${size} PNG"
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
width, height = struct.unpack(">II", data[16:24])
assert width == height == int(sys.argv[2]), (width, height)
PY
}
