#!/bin/sh
# Installs the build into a temporary DESTDIR with prefix /usr, as the package does, and checks one part:
#   layout              every file where the layout says, and nothing else; the desktop files pass their validators;
#                       make uninstall's script takes every file away again
#   velto-conf          the installed program runs, and its manual page lists every command and option --help prints
#   velto-configurator  the same for the window
# Usage: check-install.sh BUILD_DIR VERSION PART
set -eu
build=$1 version=$2 part=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# The component form writes its own manifest, so a real install's install_manifest.txt (make uninstall) stays.
DESTDIR=$root cmake --install "$build" --prefix /usr --component Unspecified >/dev/null
usr=$root/usr
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

png_width() { # the width field of a PNG header, big-endian at byte 16
    od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }'
}

check_layout() {
    expected="bin/velto-conf
bin/velto-configurator
share/applications/velto-configurator.desktop
share/doc/velto-configurator/changelog.gz
share/doc/velto-configurator/copyright
share/metainfo/org.example.velto.configurator.metainfo.xml
share/man/man1/velto-conf.1.gz
share/man/man1/velto-configurator.1.gz
share/icons/hicolor/scalable/apps/velto-configurator.svg"
    for size in 16 32 48 64 128 256; do
        expected="$expected
share/icons/hicolor/${size}x$size/apps/velto-configurator.png"
        [ "$(png_width "$usr/share/icons/hicolor/${size}x$size/apps/velto-configurator.png" 2>/dev/null)" = "$size" ] ||
            fail "the ${size}x$size icon is not $size pixels wide"
    done
    installed=$(cd "$usr" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
    [ "$installed" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
        fail "installed files differ from the layout:
$(echo "$expected" | LC_ALL=C sort | diff - /dev/fd/3 3<<END
$installed
END
)"
    for program in velto-conf velto-configurator; do
        [ -x "$usr/bin/$program" ] || fail "$program is not executable"
    done

    desktop=$usr/share/applications/velto-configurator.desktop
    report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ] || fail "desktop-file-validate: $report"
    metainfo=$usr/share/metainfo/org.example.velto.configurator.metainfo.xml
    report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) &&
        ! echo "$report" | grep -q '^[EWIP]:' || fail "appstreamcli validate: $report"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
    # Style notes are left out: the pages name their system in .Os on purpose, and the pages they refer to are
    # not in the manual path of a temporary tree.
    for page in "$usr"/share/man/man1/*.1.gz; do
        report=$(mandoc -T lint -W warning "$page" 2>&1) || fail "mandoc -T lint: $report"
    done

    DESTDIR=$root cmake -D MANIFEST="$build/install_manifest_Unspecified.txt" \
        -P "$(dirname "$0")/../../cmake/Uninstall.cmake" >/dev/null
    left=$(find "$root" -type f)
    [ -z "$left" ] || fail "left after uninstalling: $left"
}

# The words of a rendered manual page's section, one per line.
section_words() {
    MANWIDTH=1000 man -l "$usr/share/man/man1/$1.1.gz" 2>/dev/null |
        awk -v name="$2" '/^[A-Z][A-Z ]*$/ { inside = ($0 == name); next } inside' | tr ' ,|[]()' '\n\n\n\n\n\n\n'
}

# Runs an installed program with its settings kept in the temporary tree; a window that does not end is stopped.
run() {
    timeout 10 env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$root/config" "$usr/bin/$@"
}

check_program() {
    program=$1
    output=$(run "$program" --version) || true
    case "$output" in
    "$program $version" | "$program $version "*) ;;
    *) fail "$program --version printed: $output" ;;
    esac

    help=$(run "$program" --help) || fail "$program --help failed"
    options=$(echo "$help" | tr ' ,|[]()=' '\n\n\n\n\n\n\n\n' | grep -E -- '^(--?[[:alpha:]][[:alnum:]-]*|--)$' | sort -u)
    [ -n "$options" ] || fail "$program --help printed no option: $help"
    documented=$(section_words "$program" OPTIONS)
    for option in $options; do
        echo "$documented" | grep -qxF -- "$option" || fail "$program(1) OPTIONS lacks $option"
    done
    commands=$(echo "$help" | sed -n "s/^.* *$program \([a-z][a-z-]*\).*/\1/p" | sort -u)
    documented=$(section_words "$program" COMMANDS)
    for command in $commands; do
        echo "$documented" | grep -qxF -- "$command" || fail "$program(1) COMMANDS lacks $command"
    done
}

case $part in
layout) check_layout ;;
*) check_program "$part" ;;
esac
[ "$failures" -eq 0 ]
