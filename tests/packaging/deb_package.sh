#!/usr/bin/env bash
# The .debs that `make package` builds (zarvok and the SkinButton library, development and
# Designer packages): their files, the libraries they depend on, a program that still runs once
# stripped, and no error or warning from lintian.
source "$(dirname "$0")/lib.sh"

# `make package` builds the SkinButton reference first (packaged as libskinbutton-doc).
if grep -q '^skinbutton-docs:' <(cmake --build "$BUILD" --target help 2>/dev/null); then
    cmake --build "$BUILD" --target skinbutton-docs >"$WORK/docs.log" 2>&1 || fail "docs: $(cat "$WORK/docs.log")"
fi
(cd "$BUILD" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || fail "cpack: $(cat "$WORK/cpack.log")"
(cd "$BUILD" && cpack -G DEB --config CPackSkinButtonConfig.cmake -B "$WORK/out" >"$WORK/cpack-skinbutton.log" 2>&1) \
    || fail "cpack (SkinButton): $(cat "$WORK/cpack-skinbutton.log")"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
deb=$(ls "$WORK"/out/zarvok_*.deb)
dpkg-deb -x "$deb" "$WORK/root"
expect_installed_files "$WORK/root/usr" /usr
expect_folder_opener_unchanged "$WORK/root/usr/share"
! compgen -G "$WORK/root/usr/lib/*/qt6/plugins/designer/*" >/dev/null || fail "the package holds the Designer plugin"
[ -s "$WORK/root/usr/share/doc/zarvok/copyright" ] || fail "no copyright file"
"$WORK/root/usr/bin/zarvok-erase" --help >/dev/null || fail "the packaged zarvok-erase does not run"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ "$depends" == *"$library "* ]] || fail "no dependency on $library: $depends"
done

[[ "$depends" == *"libskinbutton4 (>= 4.0)"* ]] || fail "zarvok does not depend on its SkinButton library: $depends"
! compgen -G "$WORK/root/usr/lib/*SkinButton*" >/dev/null || fail "the zarvok package holds the library"
! compgen -G "$WORK/root/usr/lib/*/*SkinButton*" >/dev/null || fail "the zarvok package holds the library"

# The SkinButton packages: each holds its own part only.
package_files() { dpkg-deb -c "$WORK"/out/"$1"_*.deb | awk '{print $6}' | grep -v '/$' | grep -v '^./usr/share/doc/' | sort; }
# The library in Debian's multiarch folder, under SONAME 4, with the library's own version.
lib=./usr/lib/$multiarch
package_files libskinbutton4 | grep -qx "$lib/libSkinButton.so.4.1.0" || fail "libskinbutton4 lacks the library: $(package_files libskinbutton4)"
[ "$(package_files libskinbutton4 | grep -vc "^$lib/libSkinButton.so.4")" = 0 ] \
    || fail "libskinbutton4 holds more than the library: $(package_files libskinbutton4)"
[ "$(dpkg-deb -f "$WORK"/out/libskinbutton4_*.deb Version)" = 4.1.0 ] || fail "libskinbutton4 is not version 4.1.0"
dpkg-deb -I "$WORK"/out/libskinbutton4_*.deb shlibs | grep -qx 'libSkinButton 4 libskinbutton4 (>= 4.1)' \
    || fail "libskinbutton4's shlibs is not '>= 4.1': $(dpkg-deb -I "$WORK"/out/libskinbutton4_*.deb shlibs)"
# The symbols file: 4.0's symbols ask for 4.0, 4.1's additions for 4.1.
symbols=$(dpkg-deb -I "$WORK"/out/libskinbutton4_*.deb symbols) || fail "libskinbutton4 has no symbols file"
grep -qx ' _ZN4skin10SkinButton8setStyleEi@Base 4.0.0' <<<"$symbols" || fail "4.0's setStyle is not listed as 4.0.0"
grep -qx ' _ZN4skin10SkinButton10setDefaultEb@Base 4.1.0' <<<"$symbols" || fail "4.1's setDefault is not listed as 4.1.0"
# Multi-Arch where the package allows it, the SVG image plugin recommended, the library's own changelog.
for package in libskinbutton4 libskinbutton-dev skinbutton-designer-plugin; do
    [ "$(dpkg-deb -f "$WORK"/out/"$package"_*.deb Multi-Arch)" = same ] || fail "$package is not Multi-Arch: same"
done
if compgen -G "$WORK/out/libskinbutton-doc_*.deb" >/dev/null; then
    [ "$(dpkg-deb -f "$WORK"/out/libskinbutton-doc_*.deb Multi-Arch)" = foreign ] || fail "libskinbutton-doc is not Multi-Arch: foreign"
fi
[[ "$(dpkg-deb -f "$WORK"/out/libskinbutton4_*.deb Recommends)" == *libqt6svg6* ]] || fail "libskinbutton4 does not recommend the SVG image plugin"
mkdir -p "$WORK/lib4" && dpkg-deb -x "$WORK"/out/libskinbutton4_*.deb "$WORK/lib4"
so="$WORK/lib4/usr/lib/$multiarch/libSkinButton.so.4.1.0"
zcat "$WORK/lib4/usr/share/doc/libskinbutton4/changelog.gz" | head -1 | grep -q '^skinbutton (4.1.0) ' \
    || fail "libskinbutton4's changelog is not the library's: $(zcat "$WORK/lib4/usr/share/doc/libskinbutton4/changelog.gz" | head -1)"
readelf -d "$so" | grep -q 'SONAME.*\[libSkinButton.so.4\]' || fail "the SONAME is not libSkinButton.so.4"
! readelf -d "$so" | grep -q -e RUNPATH -e RPATH || fail "the library has a RUNPATH: $(readelf -d "$so" | grep PATH)"
for file in ./usr/include/SkinButton/SkinButton.h ./usr/include/SkinButton/SkinButtonVersion.h "$lib/libSkinButton.so" \
            "$lib/pkgconfig/skinbutton.pc" "$lib/cmake/SkinButton/SkinButtonConfig.cmake" \
            "$lib/cmake/SkinButton/SkinButtonConfigVersion.cmake"; do
    package_files libskinbutton-dev | grep -qx "$file" || fail "libskinbutton-dev lacks $file"
done
# Only the public headers: the private ones stay in the source tree.
! package_files libskinbutton-dev | grep -q -e '_p\.h$' -e PropertyTable.h -e ButtonInteraction.h -e ButtonProperties.h \
    || fail "libskinbutton-dev installs private headers: $(package_files libskinbutton-dev | grep include)"
package_files skinbutton-designer-plugin | grep -qx './usr/lib/.*/qt6/plugins/designer/libskinbutton_designer.so' \
    || fail "the Designer plugin package lacks the plugin: $(package_files skinbutton-designer-plugin)"
for package in libskinbutton-dev skinbutton-designer-plugin; do
    dpkg-deb -f "$WORK"/out/"$package"_*.deb Depends | grep -q 'libskinbutton4 (= 4.1.0)' || fail "$package does not depend on libskinbutton4"
done
# The .pc names /usr plainly: pkg-config adds nothing for SkinButton's own folders.
mkdir -p "$WORK/dev" && dpkg-deb -x "$WORK"/out/libskinbutton-dev_*.deb "$WORK/dev"
grep -qx 'prefix=/usr' "$WORK/dev/usr/lib/$multiarch/pkgconfig/skinbutton.pc" \
    || fail "the .pc's prefix is not /usr: $(cat "$WORK/dev/usr/lib/$multiarch/pkgconfig/skinbutton.pc")"
cflags=$(PKG_CONFIG_PATH="$WORK/dev/usr/lib/$multiarch/pkgconfig" pkg-config --cflags skinbutton)
[ "$cflags" = "$(pkg-config --cflags Qt6Widgets)" ] || fail "pkg-config --cflags skinbutton adds more than Qt's: $cflags"

# The API reference: HTML and the Qt Help file.
if compgen -G "$WORK/out/libskinbutton-doc_*.deb" >/dev/null; then
    for file in ./usr/share/doc/libskinbutton-doc/html/index.html ./usr/share/doc/libskinbutton-doc/skinbutton.qch; do
        dpkg-deb -c "$WORK"/out/libskinbutton-doc_*.deb | awk '{print $6}' | grep -qx "$file" || fail "libskinbutton-doc lacks $file"
    done
fi

# Lintian's errors and warnings fail the test; its notes are shown.
for package in "$WORK"/out/*.deb; do
    lintian --allow-root --fail-on error,warning "$package" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$WORK/lintian.log")"
    cat "$WORK/lintian.log"
done
echo "ok"
