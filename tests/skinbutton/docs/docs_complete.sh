#!/usr/bin/env bash
# Runs doxygen as `make docs` does, and fails on any warning (an undocumented public class,
# member, property, signal or enum among them) or a missing HTML page or .qch file.
set -euo pipefail
docs=${1:?docs folder}
cd "$docs"
rm -rf html skinbutton.qch warnings.log
doxygen Doxyfile >doxygen.log 2>&1 || { cat doxygen.log; echo "FAIL: doxygen failed" >&2; exit 1; }
if [ -s warnings.log ]; then
    cat warnings.log
    echo "FAIL: doxygen reports the above over the installed headers" >&2
    exit 1
fi
[ -s html/index.html ] && [ -s html/classskin_1_1SkinButton.html ] || { echo "FAIL: no HTML reference" >&2; exit 1; }
[ -s skinbutton.qch ] || { echo "FAIL: no Qt Help file" >&2; exit 1; }
echo "ok"
