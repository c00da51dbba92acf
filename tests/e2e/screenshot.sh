#!/usr/bin/env bash
# Takes docs/main-window.png: the program as it opens, on a real X server.
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/e2e/screenshot.sh build docs/main-window.png
set -euo pipefail
build=${1:?build folder}
out=${2:?output PNG}
export ZARVOK="$build/app/zarvok" GRAB="$build/tests/e2e/zarvok_grabwindow"
source "$(dirname "$0")/lib.sh"
start_zarvok
grab "$out" 0 0 401 204
