#!/usr/bin/env bash
# The .deb that `make package` builds: its files, the libraries it depends on, a program that
# still runs once stripped, and no error from lintian.
source "$(dirname "$0")/lib.sh"

(cd "$BUILD" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || fail "cpack: $(cat "$WORK/cpack.log")"
deb=$(ls "$WORK"/out/zarvok_*.deb)
dpkg-deb -x "$deb" "$WORK/root"
expect_installed_files "$WORK/root/usr"
! compgen -G "$WORK/root/usr/lib/*/qt6/plugins/designer/*" >/dev/null || fail "the package holds the Designer plugin"
[ -s "$WORK/root/usr/share/doc/zarvok/copyright" ] || fail "no copyright file"
"$WORK/root/usr/bin/zarvok-erase" --help >/dev/null || fail "the packaged zarvok-erase does not run"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ "$depends" == *"$library "* ]] || fail "no dependency on $library: $depends"
done

# Warnings are shown; errors fail the test.
lintian --allow-root --fail-on error "$deb" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$WORK/lintian.log")"
cat "$WORK/lintian.log"
echo "ok"
