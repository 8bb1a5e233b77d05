#!/bin/sh
# Runs a Windows program under Wine, for CTest (the build's CMAKE_CROSSCOMPILING_EMULATOR) and by hand:
#   wine-run.sh BUILD_FOLDER PROGRAM.exe [ARGUMENTS...]
# The Wine prefix is a throwaway one in the build folder (or the one VELTO_WINE_PREFIX names), made on
# first use; Wine's own messages are silenced; the program finds the DLLs of Qt and of the MinGW runtime;
# every QT_* variable of the caller reaches it (Wine passes a variable through only as WINE<name>).
set -eu
build=$1
shift
export WINEPREFIX="${VELTO_WINE_PREFIX:-$build/wine-prefix}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

dlls=""
for folder in $(cat "$build/dll-path.txt" 2>/dev/null); do
    dlls="$dlls;$(windows_path "$folder")"
done
export WINEPATH="${dlls#;}"

for variable in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$variable=\"\$$variable\""
done
export WINEQT_FORCE_STDERR_LOGGING=1
[ -d /usr/share/fonts/truetype/dejavu ] && export WINEQT_QPA_FONTDIR="$(windows_path /usr/share/fonts/truetype/dejavu)"

# The first program of a run makes the prefix; the others wait for it.
if [ ! -f "$WINEPREFIX/.ready" ]; then
    mkdir -p "$WINEPREFIX"
    # Wine now and then fails to make a prefix on a busy machine: say so with its own words, and try again.
    flock "$WINEPREFIX" sh -c '
        [ -f "$WINEPREFIX/.ready" ] && exit 0
        for attempt in 1 2; do
            if wineboot --init >"$WINEPREFIX/.wineboot.log" 2>&1 && wineserver -w; then
                touch "$WINEPREFIX/.ready"
                exit 0
            fi
            echo "wine-run.sh: making the Wine prefix $WINEPREFIX failed (attempt $attempt):" >&2
            tail -n 20 "$WINEPREFIX/.wineboot.log" >&2
            wineserver -k 2>/dev/null || true
        done
        exit 1'
fi
exec wine "$@"
