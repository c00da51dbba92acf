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
    grep -qx 'MimeType=inode/directory;' "$prefix/share/applications/$APP_ID.desktop" || fail "the desktop entry is offered for no folder"
    appstreamcli validate --no-net "$prefix/share/metainfo/$APP_ID.metainfo.xml" || fail "the metainfo is not valid"
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
