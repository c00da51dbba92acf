#!/usr/bin/env bash
# The .debs that `make package` builds (zarvok and the SkinButton library, development and
# Designer packages): their files, the libraries they depend on, a program that still runs once
# stripped, and no error from lintian.
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

[[ "$depends" == *"libskinbutton3 (= "* ]] || fail "zarvok does not depend on its SkinButton library: $depends"
! compgen -G "$WORK/root/usr/lib/*SkinButton*" >/dev/null || fail "the zarvok package holds the library"

# The SkinButton packages: each holds its own part only.
package_files() { dpkg-deb -c "$WORK"/out/"$1"_*.deb | awk '{print $6}' | grep -v '/$' | grep -v '^./usr/share/doc/' | sort; }
package_files libskinbutton3 | grep -qx './usr/lib/libSkinButton.so.3' || fail "libskinbutton3 lacks the library"
[ "$(package_files libskinbutton3 | grep -vc '^./usr/lib/libSkinButton.so.3')" = 0 ] \
    || fail "libskinbutton3 holds more than the library: $(package_files libskinbutton3)"
dpkg-deb -I "$WORK"/out/libskinbutton3_*.deb shlibs | grep -q '^libSkinButton 3 libskinbutton3' || fail "libskinbutton3 has no shlibs"
for file in ./usr/include/SkinButton/SkinButton.h ./usr/lib/libSkinButton.so ./usr/lib/pkgconfig/skinbutton.pc \
            ./usr/lib/cmake/SkinButton/SkinButtonConfig.cmake ./usr/lib/cmake/SkinButton/SkinButtonConfigVersion.cmake; do
    package_files libskinbutton-dev | grep -qx "$file" || fail "libskinbutton-dev lacks $file"
done
package_files skinbutton-designer-plugin | grep -qx './usr/lib/.*/qt6/plugins/designer/libskinbutton_designer.so' \
    || fail "the Designer plugin package lacks the plugin: $(package_files skinbutton-designer-plugin)"
for package in libskinbutton-dev skinbutton-designer-plugin; do
    dpkg-deb -f "$WORK"/out/"$package"_*.deb Depends | grep -q 'libskinbutton3 (= ' || fail "$package does not depend on libskinbutton3"
done

# Warnings are shown; errors fail the test.
for package in "$WORK"/out/*.deb; do
    lintian --allow-root --fail-on error "$package" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$WORK/lintian.log")"
    cat "$WORK/lintian.log"
done
echo "ok"
