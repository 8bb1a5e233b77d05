#!/bin/sh
# Runs the Windows build's tests under Wine, with one wineserver kept for the whole suite (a program then
# starts in a fraction of a second instead of over one):   test.sh BUILD_FOLDER [CTEST OPTIONS...]
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-run.sh" "$build" cmd /c exit 0 # makes the prefix if the build has not yet
export WINEPREFIX="$build/wine-prefix"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure "$@"
