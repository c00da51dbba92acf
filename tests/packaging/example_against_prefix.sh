#!/usr/bin/env bash
# Another program's view of SkinButton: install into a temporary prefix, build the Designer-form
# example against that prefix alone (CMake package), and a one-file program with pkg-config; both
# run offscreen, and the example's Style 10 button shows the gel artwork.
source "$(dirname "$0")/lib.sh"
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
prefix="$WORK/prefix"
export QT_QPA_PLATFORM=offscreen

cmake --install "$BUILD" --prefix "$prefix" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
[ -f "$prefix/include/SkinButton/SkinButton.h" ] || fail "no public header"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
[ -f "$prefix/lib/$multiarch/libSkinButton.so.4" ] || fail "the library is not in the multiarch folder lib/$multiarch"
! compgen -G "$prefix/include/SkinButton/*_p.h" >/dev/null || fail "private headers are installed"
# ldd's output is taken whole first: "ldd | grep -q" fails under pipefail when grep's early exit
# cuts ldd off.
loads_installed_library() { grep -q "=> $prefix/.*libSkinButton.so.4" <<<"$(ldd "$1")"; }
loads_installed_library "$prefix/bin/zarvok" \
    || fail "the installed zarvok does not load the installed library: $(ldd "$prefix/bin/zarvok")"

cmake -S "$SOURCE/examples/skinbutton-form" -B "$WORK/example" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$WORK/configure.log" 2>&1 || fail "configure: $(cat "$WORK/configure.log")"
cmake --build "$WORK/example" >"$WORK/build.log" 2>&1 || fail "build: $(cat "$WORK/build.log")"
! grep -q -e "-I$SOURCE" -e "-I$BUILD" "$WORK/example/compile_commands.json" || fail "the example saw the source or build tree"
example="$WORK/example/skinbutton-form"
loads_installed_library "$example" || fail "the example does not load the installed library"

"$example" --describe >"$WORK/describe.txt" || fail "the example did not run"
grep -qx 'gelButton: PixelArtGel, "Drawn from the gel artwork"' "$WORK/describe.txt" \
    || fail "the form's style or tooltip did not reach the program: $(cat "$WORK/describe.txt")"
grep -qx 'toggleLight: RoundedGradient, "Switches the light on and off"' "$WORK/describe.txt" \
    || fail "the toggle's style or tooltip did not reach the program: $(cat "$WORK/describe.txt")"
"$example" --grab "$WORK/window.png" || fail "the example could not show its window"
python3 "$(dirname "$0")/artwork_in_image.py" "$WORK/window.png" "$SOURCE"/skinbutton/render/gel/*-top-left.png \
    || fail "the Style 10 button does not show the gel artwork"

export PKG_CONFIG_PATH="$prefix/lib/$multiarch/pkgconfig"
[ "$(pkg-config --variable=includedir skinbutton)" = "$prefix/include" ] \
    || fail "the .pc does not name the prefix plainly: $(cat "$PKG_CONFIG_PATH/skinbutton.pc")"
# A C++17 program built with QT_NO_KEYWORDS and QT_NO_CAST_FROM_ASCII, as KDE-style projects
# build: every installed header compiles so, and the program uses the control as a
# QAbstractButton and checks first paint, unlatching, focus in every style and the
# application's font.
for header in "$prefix"/include/SkinButton/*.h; do
    echo "#include <SkinButton/$(basename "$header")>" >"$WORK/header.cpp"
    # shellcheck disable=SC2046
    g++ -std=c++17 -fPIC -DQT_NO_KEYWORDS -DQT_NO_CAST_FROM_ASCII -Wall -Wextra -Wpedantic -Werror \
        -fsyntax-only "$WORK/header.cpp" $(pkg-config --cflags skinbutton) 2>"$WORK/header.log" \
        || fail "$(basename "$header") does not compile on its own as C++17 without Qt's keywords: $(cat "$WORK/header.log")"
done
# shellcheck disable=SC2046
g++ -std=c++17 -fPIC -DQT_NO_KEYWORDS -DQT_NO_CAST_FROM_ASCII -Wall -Wextra -Werror "$(dirname "$0")/consumer.cpp" \
    -o "$WORK/consumer" $(pkg-config --cflags --libs skinbutton Qt6Test) \
    -Wl,-rpath,"$(pkg-config --variable=libdir skinbutton)" 2>"$WORK/g++.log" || fail "pkg-config build: $(cat "$WORK/g++.log")"
loads_installed_library "$WORK/consumer" || fail "the consumer does not load the installed library"
"$WORK/consumer" >"$WORK/consumer.log" 2>&1 || fail "the consumer: $(cat "$WORK/consumer.log")"
grep -q 'consumer ok, SkinButton 4.1' "$WORK/consumer.log" || fail "the consumer: $(cat "$WORK/consumer.log")"
echo "ok"
