#!/bin/sh
# The installer and the zip as a user meets them, in a fresh Wine prefix with no DLL path of the build's:
# the zip's programs run from its folder, and it ships exactly the DLLs its files import that Windows lacks;
# the installer installs silently, both programs answer --version, the window opens a file under its name,
# and the silent uninstaller leaves no file and no registry key behind.
#   package.sh BUILD_FOLDER VERSION EXAMPLE.xml      (run under xvfb-run: the window needs a display)
set -eu
build=$(cd "$1" && pwd) version=$2 example=$3
export WINEPREFIX="$build/package-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
fail() { printf "FAIL: %s\n" "$*"; exit 1; }
drive="$WINEPREFIX/drive_c"
[ -f "$build/velto-configurator-$version-setup.exe" ] || fail "no installer: make windows builds it"
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wineserver -w
trap 'wineserver -k 2>/dev/null || true' EXIT

# $1 prints "$2 $version" and more, whatever the build folder holds.
answers_version() {
    out=$(wine "$1" --version | tr -d '\r')
    case "$out" in "$2 $version"*) ;; *) fail "$1 --version printed: $out" ;; esac
}

# The zip: unpacked and run where it is.
mkdir "$drive/portable"
(cd "$drive/portable" && unzip -q "$build/velto-configurator-$version-win64.zip")
answers_version 'C:\portable\velto-conf.exe' velto-conf
answers_version 'C:\portable\velto-configurator.exe' velto-configurator
lower() { tr 'A-Z' 'a-z'; }
shipped=$(cd "$drive/portable" && find . -iname '*.dll' | sed 's|^\./||' | lower | sort)
system=$(ls "$drive/windows/system32" | lower)
imported=""
for file in $(cd "$drive/portable" && find . -iname '*.exe' -o -iname '*.dll'); do
    for dll in $(x86_64-w64-mingw32-objdump -p "$drive/portable/$file" | sed -n 's/.*DLL Name: //p' | lower); do
        imported="$imported $dll"
        case "$dll" in api-ms-win-*) continue ;; esac # API sets: names Windows resolves itself
        echo "$shipped" | grep -qx "$dll" || echo "$system" | grep -qx "$dll" ||
            fail "$file imports $dll, which is neither shipped nor part of Windows"
    done
done
for dll in $(echo "$shipped" | grep -v /); do # the plugins in their folders are loaded by Qt, not imported
    echo "$imported" | tr ' ' '\n' | grep -qx "$dll" || fail "$dll is shipped but nothing imports it"
done
rm -rf "$drive/portable"

# The installer.
snapshot() {
    (cd "$drive" && find . -ipath './users/*/temp' -prune -o -path ./windows/temp -prune -o -print | sort) >"$1.files"
    wine reg export 'HKLM\Software' "$1.reg" /y >/dev/null 2>&1
    wine reg export 'HKCU\Software' "$1.user.reg" /y >/dev/null 2>&1
}
xml_default() { wine reg query 'HKLM\Software\Classes\.xml' /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' | grep -vx '(value not set)' || true; }
before=$(xml_default)
snapshot "$build/package-before"
wine "$build/velto-configurator-$version-setup.exe" /S
wineserver -w
app='C:\Program Files\Velto-Configurator'
answers_version "$app\\velto-conf.exe" velto-conf
answers_version "$app\\velto-configurator.exe" velto-configurator
uninstall=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velto-Configurator' | tr -d '\r')
for entry in "DisplayName *REG_SZ *Velto-Configurator" "DisplayVersion *REG_SZ *$version" \
    "Publisher *REG_SZ *Velto-Configurator maintainers" "DisplayIcon *REG_SZ *C:.Program Files.Velto-Configurator.velto-configurator.exe" \
    "UninstallString"; do
    printf "%s\n" "$uninstall" | grep -q "$entry" || fail "Apps & features lacks $entry"
done
[ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Velto-Configurator/Velto-Configurator.lnk" ] ||
    fail "no Start menu entry"
wine reg query 'HKLM\Software\Classes\.xml\OpenWithList\velto-configurator.exe' >/dev/null 2>&1 ||
    fail "not offered in Open with for .xml files"
[ "$(xml_default)" = "$before" ] || fail ".xml files now open with another program by default"

cp "$example" "$drive/example.xml"
wine "$app\\velto-configurator.exe" 'C:\example.xml' &
title="example.xml - Velto-Configurator V.$version"
for _ in $(seq 60); do
    xwininfo -root -tree | grep -q "\"$title\"" && break
    sleep 1
done
xwininfo -root -tree | grep -q "\"$title\"" || fail "no window titled $title"
wine taskkill /f /im velto-configurator.exe >/dev/null 2>&1
wait || true
rm "$drive/example.xml"

wine "$app\\Uninstall.exe" /S
wineserver -w # the uninstaller runs on from a copy of itself
snapshot "$build/package-after"
diff "$build/package-before.files" "$build/package-after.files" || fail "files left behind"
for hive in reg user.reg; do
    ! iconv -f UTF-16 -t UTF-8 "$build/package-after.$hive" | grep -i velto || fail "registry entries left behind"
done
echo "installer and zip: all checks passed"
