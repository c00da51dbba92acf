#!/usr/bin/env bash
# `cmake --install` puts the programs, the desktop entry, the icons, the metainfo and the man
# pages where a desktop finds them, and each passes its format's validator.
source "$(dirname "$0")/lib.sh"

cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
expect_installed_files "$WORK/prefix"
compgen -G "$WORK/prefix/lib/*/qt6/plugins/designer/*.so" >/dev/null \
    || fail "the Designer plugin is not below the prefix"
metainfo="$WORK/prefix/share/metainfo/$APP_ID.metainfo.xml"
version=$(sed -n 's/^project(Zarvok VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo does not name version $version"
grep -q '<image type="source"[^>]*>https\?://[^<]*/main-window.png</image>' "$metainfo" \
    || fail "the metainfo shows no screenshot of the main window"
echo "ok"
