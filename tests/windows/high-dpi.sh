#!/bin/sh
# The window at DPI dots per inch, as Windows sets a screen's density (LogPixels), in a fresh Wine prefix on
# a virtual screen of 1280 x 800 at that scale: the window test about scale passes, and a picture of the
# window with the sample open is left in the build folder as screenshot-windows-DPIdpi.png.
#   high-dpi.sh WINE_RUNNER BUILD_FOLDER DPI GUI_TESTS.exe SCREENSHOTS.exe SAMPLE.xml
set -eu
runner=$1 build=$2 dpi=$3 tests=$4 screenshots=$5 sample=$6
export VELTO_WINE_PREFIX="$build/dpi-$dpi-prefix" WINEDEBUG=-all
export WINEPREFIX="$VELTO_WINE_PREFIX" # for winepath and wineserver too
rm -rf "$VELTO_WINE_PREFIX" "$build/dpi-$dpi"
trap 'wineserver -k 2>/dev/null || true' EXIT
for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    "$runner" "$build" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
        { echo "high-dpi.sh: cannot set LogPixels under $key" >&2; exit 1; }
done
wineserver -w
# The picture names the sample where a user would keep it, not where the build is.
mkdir -p "$VELTO_WINE_PREFIX/drive_c/Impianti"
cp "$sample" "$VELTO_WINE_PREFIX/drive_c/Impianti/"
sample="$VELTO_WINE_PREFIX/drive_c/Impianti/$(basename "$sample")"
export QT_QPA_PLATFORM=windows VELTO_TEST_DPI="$dpi"
xvfb-run -a -s "-screen 0 $((1280 * dpi / 96))x$((800 * dpi / 96))x24" sh -c '
    "$1" "$2" "$3" "--gtest_filter=Scale.*" &&
    "$1" "$2" "$4" "$(winepath -w "$5")" "$(winepath -w "$2/dpi-$6")"' \
    sh "$runner" "$build" "$tests" "$screenshots" "$sample" "$dpi"
cp "$build/dpi-$dpi/screenshot-eng-devices.png" "$build/screenshot-windows-${dpi}dpi.png"
