#!/usr/bin/env bash
# `symbols.sh LIBRARY SYMBOLS`: the library exports exactly the symbols of the dpkg symbols file
# the package ships (packaging/libskinbutton4/symbols), as dpkg-gensymbols sees them: a removed
# symbol fails, and so does a new one the file does not list yet (add it with the version that
# brings it, so that programs using it depend on that version).
set -euo pipefail
library=${1:?library} symbols=${2:?symbols file}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^#define SKINBUTTON_VERSION_STRING "\(.*\)"/\1/p' "$(dirname "$0")/../types/SkinButtonVersion.h")
package=$(awk 'NR == 1 { print $2 }' "$symbols")
if ! dpkg-gensymbols -v"$version" -p"$package" -e"$library" -I"$symbols" -O"$work/symbols" -c4 >"$work/report" 2>&1; then
    cat "$work/report"
    echo "FAIL: $library and $symbols differ (see above)" >&2
    exit 1
fi
echo "ok: $library exports the symbols of $symbols"
