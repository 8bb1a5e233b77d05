#!/bin/sh
# The installer and the zip as a user meets them, in a fresh Wine prefix with no DLL path of the build's:
# the zip's programs run from its folder, and it ships exactly the DLLs its files import that Windows lacks.
# The installer installs silently for the current user and for all users, each kind writing only where it
# belongs, with the Start menu entry, "Open with" and one Apps & features entry; installing again keeps the
# settings and the one entry; the silent uninstaller leaves no file and no registry key behind; the window
# opens a file under its name. Given the signing certificate, every program and DLL shipped, the installer
# and the uninstaller carry a signature that verifies against it.
#   package.sh BUILD_FOLDER VERSION EXAMPLE.xml [PKCS12 PASSWORD_FILE]   (under xvfb-run: the window needs a display)
set -eu
build=$(cd "$1" && pwd) version=$2 example=$3 pkcs12=${4:-} password=${5:-}
export WINEPREFIX="$build/package-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
fail() { printf "FAIL: %s\n" "$*"; exit 1; }
drive="$WINEPREFIX/drive_c"
setup="$build/velto-configurator-$version-setup.exe"
[ -f "$setup" ] || fail "no installer: make windows builds it"
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wineserver -w
trap 'wineserver -k 2>/dev/null || true' EXIT

# $1 prints "$2 $version" and more, whatever the build folder holds.
answers_version() {
    out=$(wine "$1" --version | tr -d '\r')
    case "$out" in "$2 $version"*) ;; *) fail "$1 --version printed: $out" ;; esac
}

# Every program and DLL under the folder $1, and the files named after it, verify against the certificate.
ca="$build/package-signer.pem"
[ -z "$pkcs12" ] || openssl pkcs12 -in "$pkcs12" -passin "file:$password" -nokeys -out "$ca"
verify_signatures() {
    [ -n "$pkcs12" ] || return 0
    folder=$1
    shift
    signed=0
    for file in $(find "$folder" -iname '*.exe' -o -iname '*.dll') "$@"; do
        osslsigncode verify -CAfile "$ca" -in "$file" >/dev/null 2>&1 || fail "$file: no signature that verifies"
        signed=$((signed + 1))
    done
    echo "$signed signatures verified"
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
verify_signatures "$drive/portable" "$setup"
rm -rf "$drive/portable"

# The installer's own file properties.
strings -el "$setup" | grep -qx "Velto-Configurator maintainers" || fail "the installer names no publisher"

unix_path() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r')"; }
# Temporary files, and the recent documents Windows lists for the user, are no install's.
snapshot() {
    (cd "$drive" && find . -ipath './users/*/temp' -prune -o -path ./windows/temp -prune \
        -o -ipath './users/*/Microsoft/Windows/Recent' -prune -o -print | sort) >"$1.files"
    wine reg export 'HKLM\Software' "$1.reg" /y >/dev/null 2>&1
    wine reg export 'HKCU\Software' "$1.user.reg" /y >/dev/null 2>&1
}
mentions_us() { iconv -f UTF-16 -t UTF-8 "$1" | grep -qi velto; }
xml_default() { wine reg query 'HKLM\Software\Classes\.xml' /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' | grep -vx '(value not set)' || true; }
# The Apps & features entry $listed holds the value $2 named $1.
listed() {
    printf "%s\n" "$listed" | sed -n "s/^ *$1 *REG_SZ *//p" | grep -qxF "$2" || fail "$kind $step: Apps & features lacks $1 $2"
}
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\Velto-Configurator'
settings='HKCU\Software\velto-configurator\option'

# The window installed in the folder $1 opens a file named on its command line.
opens_example() {
    cp "$example" "$drive/example.xml"
    wine "$1\\velto-configurator.exe" 'C:\example.xml' &
    title="example.xml - Velto-Configurator V.$version"
    for _ in $(seq 60); do
        xwininfo -root -tree | grep -q "\"$title\"" && break
        sleep 1
    done
    xwininfo -root -tree | grep -q "\"$title\"" || fail "no window titled $title"
    wine taskkill /f /im velto-configurator.exe >/dev/null 2>&1
    wait || true
    rm "$drive/example.xml"
}

# Installs with the options $3..., for the kind $1 (CurrentUser, AllUsers) in the folder $2, then again
# without options, then uninstalls, checking each step.
install_round() {
    kind=$1 folder=$2
    shift 2
    case $kind in
    CurrentUser) hive=HKCU others=HKLM menu=$(unix_path '%APPDATA%') ;;
    *) hive=HKLM others=HKCU menu=$(unix_path '%ProgramData%') ;;
    esac
    menu="$menu/Microsoft/Windows/Start Menu/Programs/Velto-Configurator.lnk"
    before=$(xml_default)
    snapshot "$build/package-before"
    wine "$setup" /S "$@"
    wineserver -w
    for step in install upgrade; do
        answers_version "$folder\\velto-conf.exe" velto-conf
        answers_version "$folder\\velto-configurator.exe" velto-configurator
        listed=$(wine reg query "$hive\\$entry" | tr -d '\r')
        listed DisplayName Velto-Configurator
        listed DisplayVersion "$version"
        listed Publisher "Velto-Configurator maintainers"
        listed DisplayIcon "$folder\\velto-configurator.exe"
        listed UninstallString "\"$folder\\Uninstall.exe\" /$kind"
        ! wine reg query "$others\\$entry" >/dev/null 2>&1 || fail "$kind $step: a second Apps & features entry"
        [ -f "$menu" ] || fail "$kind $step: no Start menu entry"
        wine reg query "$hive\\Software\\Classes\\.xml\\OpenWithList\\velto-configurator.exe" >/dev/null 2>&1 ||
            fail "$kind $step: not offered in Open with for .xml files"
        [ "$(xml_default)" = "$before" ] || fail "$kind $step: .xml files now open with another program by default"
        strings -el "$(winepath -u "$folder\\Uninstall.exe")" | grep -qx "Velto-Configurator maintainers" ||
            fail "$kind $step: the uninstaller names no publisher"
        if [ "$kind" = CurrentUser ]; then
            # Relative to the drive: the build folder's own path may name us too.
            ! (cd "$drive" && find "Program Files" "Program Files (x86)" -ipath '*velto*') | grep -q . ||
                fail "a per-user install wrote under Program Files"
            wine reg export 'HKLM\Software' "$build/package-machine.reg" /y >/dev/null 2>&1
            ! mentions_us "$build/package-machine.reg" || fail "a per-user install wrote under HKLM"
        fi
        [ $step = upgrade ] && break
        wine reg add "$settings" /v kept /d yes /f >/dev/null 2>&1
        wine "$setup" /S # the earlier install decides the kind and the folder
        wineserver -w
        wine reg query "$settings" /v kept >/dev/null 2>&1 || fail "$kind: installing again lost the settings"
    done
    verify_signatures "$(winepath -u "$folder")"
    [ "$kind" = AllUsers ] || opens_example "$folder"

    uninstall=$(wine reg query "$hive\\$entry" /v QuietUninstallString | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    program=$(printf "%s" "$uninstall" | sed 's/^"\([^"]*\)".*/\1/') options=${uninstall##*\"}
    # shellcheck disable=SC2086
    wine "$program" $options
    wineserver -w # the uninstaller runs on from a copy of itself
    snapshot "$build/package-after"
    diff "$build/package-before.files" "$build/package-after.files" || fail "$kind: files left behind"
    for registry in reg user.reg; do
        ! mentions_us "$build/package-after.$registry" || fail "$kind: registry entries left behind"
    done
}

mkdir -p "$(unix_path '%LOCALAPPDATA%')/Programs" # Windows' folder of every per-user program
install_round CurrentUser "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')\\Programs\\Velto-Configurator" /CurrentUser
mkdir "$drive/Tools" # a folder of the user's choosing
install_round AllUsers 'C:\Tools\Velto-Configurator' /AllUsers '/D=C:\Tools\Velto-Configurator'
echo "installer and zip: all checks passed"
