#!/usr/bin/env bash
# Builds the reference as `make docs` does, and fails on any warning (an undocumented public
# class, member, property, signal or enum among them) or a missing page, picture or .qch file.
set -euo pipefail
build=${1:?build folder} docs=${2:?docs folder}
cmake --build "$build" --target skinbutton-docs >"$docs/build.log" 2>&1 || { cat "$docs/build.log"; echo "FAIL: the reference was not built" >&2; exit 1; }
cd "$docs"
if [ -s warnings.log ]; then
    cat warnings.log
    echo "FAIL: doxygen reports the above over the installed headers" >&2
    exit 1
fi
for page in index classskin_1_1SkinButton gettingstarted styles abipolicy; do
    [ -s "html/$page.html" ] || { echo "FAIL: no $page page in the HTML reference" >&2; exit 1; }
done
[ -s html/styles.png ] || { echo "FAIL: the picture of the styles is not in the reference" >&2; exit 1; }
grep -q 'SkinButton/SkinButton.h' html/classskin_1_1SkinButton.html || { echo "FAIL: the class page does not name <SkinButton/SkinButton.h>" >&2; exit 1; }
for section in 'Properties' 'Signals' 'Public Slots'; do
    grep -q ">$section<" html/classskin_1_1SkinButton.html || { echo "FAIL: the class page has no $section section" >&2; exit 1; }
done
[ -s skinbutton.qch ] || { echo "FAIL: no Qt Help file" >&2; exit 1; }
echo "ok"
