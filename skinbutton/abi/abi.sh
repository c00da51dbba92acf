#!/usr/bin/env bash
# SkinButton's ABI as libabigail sees it: `abi.sh dump LIBRARY OUT` writes abidw's description of
# the library's public interface (only the types of the installed headers count) to OUT;
# `abi.sh check LIBRARY BASELINE` compares the library with the stored baseline and fails on any
# incompatible change (abidiff's bit 8), on an error, and on any removed or changed function,
# variable or type reachable from them (abidiff reports a class that grew as a change, bit 4,
# only): additions alone pass, with a report.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
headers=()
for header in core/SkinButton.h core/LinkOpener.h core/PropertyBag.h core/PropertyValue.h core/Picture.h \
              core/StoredFont.h types/SkinButtonEnums.h types/SkinButtonGlobal.h types/SkinButtonVersion.h types/Color.h; do
    headers+=(--header-file "$here/$header")
done
dump() { abidw --no-corpus-path --no-show-locs --drop-private-types --suppressions "$here/abi/foreign-types.suppr" "${headers[@]}" --out-file "$2" "$1"; }
case ${1:?dump or check} in
dump)
    dump "$2" "$3"
    ;;
check)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    dump "$2" "$work/current.abi"
    status=0
    abidiff "$3" "$work/current.abi" >"$work/report" 2>&1 || status=$?
    if (( status & (1 | 2 | 8) )) || grep -Eq '(^|[ ,])[1-9][0-9]* (Removed|Changed)' "$work/report"; then
        cat "$work/report"
        echo "FAIL: incompatible ABI change against $3 (abidiff status $status): see above; a change on purpose" \
             "needs a new SONAME (README: ABI policy)" >&2
        exit 1
    fi
    (( status & 4 )) && { echo "compatible ABI changes:"; cat "$work/report"; }
    echo "ok: the ABI is compatible with $(basename "$3")"
    ;;
*)
    echo "usage: abi.sh dump LIBRARY OUT | abi.sh check LIBRARY BASELINE" >&2
    exit 2
    ;;
esac
