#!/bin/sh
# Runs the Windows build's tests under Wine, with one wineserver kept for the whole suite (a program then
# starts in a fraction of a second instead of over one):   test.sh BUILD_FOLDER [CTEST OPTIONS...]
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-run.sh" "$build" cmd /c exit 0 # makes the prefix if the build has not yet
export WINEPREFIX="$build/wine-prefix"
wineserver -w # the server of that first program ends, and one that stays takes its place
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine's own services start with the first program and live as long as the server: started here, they
# hold no test's output open (CTest would wait for it to close).
"$here/wine-run.sh" "$build" cmd /c exit 0 </dev/null >/dev/null 2>&1
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure "$@"
