#!/bin/sh
# velto-conf.exe under Wine gives the Linux build's bytes: standard output, standard error and exit status of
# check, rewrite and export (JSON and each table as CSV) on every file of the test data and the examples, and
# check on the whole fuzz corpus (a hundred files a command, for cmd's line length).
#   same-bytes.sh LINUX_VELTO_CONF WINDOWS_VELTO_CONF WINE_RUNNER BUILD_FOLDER SOURCE_FOLDER
set -eu
linux=$1 windows=$2 runner=$3 build=$4
cd "$5"
work="$build/same-bytes"
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"

# One command a line, its arguments separated by spaces (no file name holds one).
{
    for file in $(find tests/data examples -name '*.xml' | sort); do
        echo "check $file"
        echo "check --lang=ita $file"
        echo "rewrite $file -"
        echo "export $file"
        for table in devices groups loads auxiliaries probes cameras scenarios mh200Scenarios; do
            echo "export --format csv --table $table --separator ; $file"
        done
    done
    find fuzz/corpus -type f | sort | xargs -n 100 echo check
} >"$work/commands"

zpath() { printf 'Z:%s' "$1" | tr / '\\'; }
exe=$(zpath "$windows") out=$(zpath "$(cd "$work" && pwd)/windows")
n=0
printf '@echo off\r\n' >"$work/run.cmd"
while read -r command; do
    n=$((n + 1))
    # shellcheck disable=SC2086
    "$linux" $command >"$work/linux/$n.out" 2>"$work/linux/$n.err" && status=0 || status=$?
    echo "$status" >"$work/linux/$n.status"
    printf '"%s" %s >"%s\\%s.out" 2>"%s\\%s.err"\r\n>"%s\\%s.status" echo %%ERRORLEVEL%%\r\n' \
        "$exe" "$command" "$out" $n "$out" $n "$out" $n >>"$work/run.cmd"
done <"$work/commands"

# One Windows process runs them all, from the source folder as the Linux ones were.
"$runner" "$build" cmd /c "$(zpath "$(cd "$work" && pwd)/run.cmd")" >/dev/null 2>&1 || true
for status in "$work"/windows/*.status; do
    tr -d '\r ' <"$status" >"$status.tmp" && mv "$status.tmp" "$status"
done
echo "$n commands"
diff -r "$work/linux" "$work/windows"
